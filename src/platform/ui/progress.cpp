#include "platform/ui/progress.h"

#include "platform/ui/waitcursor.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

ProgressSteps::ProgressSteps(QProgressBar* bar, int total) : m_bar(bar)
{
    if (m_bar) {
        m_bar->setRange(0, total);
        m_bar->setValue(0);
    }
    m_sinceRepaint.start();
    letWindowsRepaint();
}

void ProgressSteps::setValue(int done)
{
    m_done = done;
    if (m_bar)
        m_bar->setValue(qMin(done, m_bar->maximum()));
    if (m_sinceRepaint.elapsed() >= 50 || (m_bar && done >= m_bar->maximum())) {
        letWindowsRepaint();
        m_sinceRepaint.restart();
    }
}

void showStatusText(QLabel* label, const QString& text)
{
    label->setText(text);
    label->repaint();
    letWindowsRepaint();
}

void showStatusText(QStatusBar* bar, const QString& text)
{
    bar->showMessage(text);
    bar->repaint();
    letWindowsRepaint();
}

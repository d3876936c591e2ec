#include "platform/printing/jobprogress.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

JobProgress::JobProgress(const QString& title, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(tr("Printing %1 ...").arg(title), this);
    layout->addWidget(m_label);
    layout->addWidget(new QLabel(tr("Press Esc to abort"), this));
    auto* stop = new QPushButton(tr("Abort"), this);
    connect(stop, &QPushButton::clicked, this, &JobProgress::reject);
    layout->addWidget(stop);
    m_since.start();
}

void JobProgress::reject()
{
    // Not closed here: the job ends itself with the pages drawn so far.
    m_aborted = true;
}

bool JobProgress::poll()
{
    if (m_since.elapsed() >= 40) {
        QCoreApplication::processEvents();
        m_since.restart();
    }
    return !m_aborted;
}

void JobProgress::setPageText(int page)
{
    m_label->setText(tr("Printing %1 ... page %2").arg(windowTitle()).arg(page));
}

#pragma once

#include <QElapsedTimer>
#include <QPointer>

class QLabel;
class QProgressBar;
class QStatusBar;

// Progress of a long loop on a bar, repainting the windows now and then (every 50 ms at
// most, so the loop is not slowed down by painting). The bar may be null: then only the
// windows repaint.
class ProgressSteps
{
public:
    ProgressSteps(QProgressBar* bar, int total);
    void setValue(int done);
    void step() { setValue(m_done + 1); }
    int done() const { return m_done; }

private:
    QPointer<QProgressBar> m_bar;
    int m_done = 0;
    QElapsedTimer m_sinceRepaint;
};

// A status text shown at once, even in the middle of a loop.
void showStatusText(QLabel* label, const QString& text);
void showStatusText(QStatusBar* bar, const QString& text);

// A VCL-style hint "short|long": the short part becomes the tool tip, the long part the
// status-bar tip. A hint without "|" is both.
template <class W>
void setHint(W* widgetOrAction, const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    widgetOrAction->setToolTip(bar < 0 ? hint : hint.left(bar));
    widgetOrAction->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;

// The small modal window shown while a job draws. Esc (or its button) asks the
// job to stop; poll() lets the user interface breathe between lines without
// letting the user start other commands.
class JobProgress : public QDialog
{
    Q_OBJECT
public:
    explicit JobProgress(const QString& title, QWidget* parent = nullptr);

    bool aborted() const { return m_aborted; }
    // Processes pending events now and then; false once aborted.
    bool poll();
    void setPageText(int page);

public slots:
    void reject() override;

private:
    QLabel* m_label;
    QElapsedTimer m_since;
    bool m_aborted = false;
};

#pragma once

#include <QWidget>

class QCalendarWidget;

// The "Calendar" window of the Tools menu; created hidden at start-up and kept for the
// whole run. Month and day names are English whatever the desktop's language.
class TCalendarForm : public QWidget
{
    Q_OBJECT
public:
    explicit TCalendarForm(QWidget* parent = nullptr);

    void popUp();
    QCalendarWidget* calendar() const { return m_calendar; }

private:
    QCalendarWidget* m_calendar = nullptr;
};

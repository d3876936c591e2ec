#include "tools/calendarform.h"

#include "platform/ui/windowposition.h"

#include <QCalendarWidget>
#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TCalendarForm::TCalendarForm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Calendar"));
    setWindowTitle(QStringLiteral("Calendar"));

    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("MonthCalendar1"));
    m_calendar->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    m_calendar->setFirstDayOfWeek(Qt::Sunday);
    m_calendar->setGridVisible(true);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);

    auto* selected = new QLabel(this);
    selected->setAlignment(Qt::AlignCenter);
    auto showSelected = [this, selected] {
        const QDate d = m_calendar->selectedDate();
        selected->setText(QLocale::c().toString(d, QStringLiteral("dddd, MMMM d, yyyy")));
    };
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, showSelected);

    auto* today = new QPushButton(QStringLiteral("&Today"), this);
    today->setAutoDefault(false);
    connect(today, &QPushButton::clicked, this, [this] {
        m_calendar->setSelectedDate(QDate::currentDate());
        m_calendar->showToday();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addWidget(selected);
    layout->addWidget(today, 0, Qt::AlignHCenter);
    showSelected();
    keepWindowPosition(this);
}

void TCalendarForm::popUp()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

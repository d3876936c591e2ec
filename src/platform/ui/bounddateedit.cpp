#include "platform/ui/bounddateedit.h"

#include "platform/system/errors.h"
#include "platform/ui/guard.h"
#include "platform/xbase/table.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace {
const QString format = QStringLiteral("MM/dd/yyyy");
}

BoundDateEdit::BoundDateEdit(QWidget* parent) : QLineEdit(parent), FieldLink(this)
{
    setInputMask(QStringLiteral("99/99/9999;_"));
    QAction* drop = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    drop->setToolTip(tr("Calendar"));
    connect(drop, &QAction::triggered, this, [this] { runGuarded([this] { showCalendar(); }); });
    connect(this, &QLineEdit::textEdited, this, [this] { userChanged(); });
}

BoundDateEdit::BoundDateEdit(DataSource* source, const QString& field, QWidget* parent) : BoundDateEdit(parent)
{
    bind(source, field);
}

bool BoundDateEdit::isEmpty() const
{
    return dateText().isEmpty();
}

QString BoundDateEdit::dateText() const
{
    const QString shown = QLineEdit::displayText();
    for (const QChar c : shown)
        if (c.isDigit())
            return shown;
    return {};
}

QDate BoundDateEdit::date() const
{
    return QDate::fromString(dateText(), format);
}

void BoundDateEdit::setDate(const QDate& date)
{
    touched();
    if (!isPending())
        return;
    setText(date.isValid() ? date.toString(format) : QString());
    emit dateEdited();
}

void BoundDateEdit::showCalendar()
{
    if (isReadOnly())
        return;
    if (!m_calendar) {
        m_calendar = new QCalendarWidget(this);
        m_calendar->setWindowFlags(Qt::Popup);
        m_calendar->setGridVisible(true);
        connect(m_calendar, &QCalendarWidget::clicked, this, [this](const QDate& picked) {
            m_calendar->hide();
            setDate(picked);
            setFocus(Qt::PopupFocusReason);
        });
    }
    m_calendar->setSelectedDate(date().isValid() ? date() : QDate::currentDate());
    m_calendar->adjustSize();
    m_calendar->move(mapToGlobal(QPoint(0, height())));
    m_calendar->show();
    m_calendar->setFocus();
}

void BoundDateEdit::userChanged()
{
    if (isLoading())
        return;
    touched();
    if (isPending())
        emit dateEdited();
}

void BoundDateEdit::load()
{
    const xbase::Table* table = readable();
    QString shown;
    if (table) {
        const QDate d = table->toDate(fieldNumber());
        shown = d.isValid() ? d.toString(format) : fieldText();
    }
    if (dateText() != shown)
        setText(shown);
}

void BoundDateEdit::store()
{
    xbase::Table* table = readable();
    if (isEmpty())
        table->setBlank(dataField());
    else if (hasValidDate())
        table->setDate(dataField(), date());
    else
        throw AppError(tr("'%1' is not a valid date").arg(dateText()));
}

void BoundDateEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (isEmpty() || hasValidDate())
        leave();
    emit exited();
}

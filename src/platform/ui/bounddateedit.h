#pragma once

#include "platform/ui/fieldlink.h"

#include <QDate>
#include <QLineEdit>

class QCalendarWidget;

// A date edit on a D field: MM/DD/YYYY typed into a mask, or picked from a calendar that
// drops down from the button at its end. Unlike QDateEdit it can be empty, and text that is
// not a date stays visible so the window can say so (isEmpty(), date().isValid()).
// Written to the field when it loses the focus (an empty or valid date only) and when the
// record is updated; a date that is not valid then stops the post with a message.
class BoundDateEdit : public QLineEdit, public FieldLink
{
    Q_OBJECT
public:
    explicit BoundDateEdit(QWidget* parent = nullptr);
    BoundDateEdit(DataSource* source, const QString& field, QWidget* parent = nullptr);

    bool isEmpty() const;          // nothing typed
    QDate date() const;            // invalid when empty or not a date
    bool hasValidDate() const { return date().isValid(); }
    QString dateText() const;      // "MM/DD/YYYY" as typed, empty when nothing is typed

    // As if the user had typed it (the table goes into Edit state).
    void setDate(const QDate& date);
    void showCalendar();

signals:
    void exited();
    void dateEdited();   // typed or picked by the user

protected:
    void load() override;
    void store() override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void userChanged();
    QCalendarWidget* m_calendar = nullptr;
};

#pragma once

#include "platform/ui/editmask.h"
#include "platform/ui/fieldlink.h"

#include <QLineEdit>

// A line edit on one field. Typing puts the table into Edit state; the text reaches the
// buffer when the edit loses the focus or the data source updates the record (before any
// post or move). C fields show without trailing blanks, numbers and dates trimmed.
class BoundLineEdit : public QLineEdit, public FieldLink
{
    Q_OBJECT
public:
    explicit BoundLineEdit(QWidget* parent = nullptr);
    BoundLineEdit(DataSource* source, const QString& field, QWidget* parent = nullptr);

    // An edit mask such as "999-999-9999;1; " (see EditMask); empty for none.
    void setEditMask(const QString& mask);
    QString editMask() const { return m_mask.source(); }
    // Letters typed become capitals.
    void setUpperCase(bool on);
    bool upperCase() const { return m_upperCase; }

    QString value() const;   // what would be stored

signals:
    void exited();   // focus moved to another control, after the text was written

protected:
    void load() override;
    void store() override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void applyMask();

    EditMask m_mask;
    bool m_upperCase = false;
};

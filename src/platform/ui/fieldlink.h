#pragma once

#include "platform/xbase/fielddef.h"

#include <QString>

class DataSource;
class QWidget;

namespace xbase {
class Table;
}

// The tie between one control and one field of a data source's table. Each bound control
// derives from its widget class and from this, and fills in load() and store().
//
// A control either writes through at once (check box, spin box, a pick from a list) or
// holds pending text (edits, memo) that it writes when it loses the focus and whenever the
// data source asks (before every post and move).
class FieldLink
{
public:
    FieldLink(const FieldLink&) = delete;
    FieldLink& operator=(const FieldLink&) = delete;
    virtual ~FieldLink();

    // Field names are case-insensitive; a name the table does not have shows nothing.
    void bind(DataSource* source, const QString& field);
    DataSource* dataSource() const { return m_source; }
    const QString& dataField() const { return m_field; }
    QWidget* control() const { return m_control; }

    bool isPending() const { return m_pending; }   // holds text the buffer has not got yet

    // Shows the current record's value again, dropping pending text.
    void reload();
    // Writes pending text into the buffer (nothing when there is none). Throws when it does not fit.
    void updateRecord();

protected:
    explicit FieldLink(QWidget* control);

    virtual void load() = 0;    // the field into the control; blank when readable() is false
    virtual void store() = 0;   // the control into the buffer (only while the table is editing)

    // A table that is open, with the field, and a source that is enabled; else nullptr.
    xbase::Table* readable() const;
    int fieldNumber() const;                 // 1-based; 0 when not readable
    const xbase::FieldDef* fieldDef() const; // nullptr when not readable
    QString fieldText() const;               // the field as an edit shows it

    // The user changed the control: the table goes into Edit state and the control counts as
    // modified. False (after a beep) when that is not possible; the caller then reloads.
    bool beginEdit();
    // The user changed the text: the first change starts Edit state (guarded); a change that
    // cannot be made puts the field back.
    void touched();
    // For controls that write through: beginEdit, then store at once (guarded).
    void commit();
    // Focus left the control: write pending text (guarded: a bad value shows its message).
    void leave();
    bool isLoading() const { return m_loading; }

private:
    friend class DataSource;
    void sourceGone() { m_source = nullptr; }

    QWidget* m_control;
    DataSource* m_source = nullptr;   // cleared by the source when it goes
    QString m_field;
    bool m_pending = false;
    bool m_loading = false;
};

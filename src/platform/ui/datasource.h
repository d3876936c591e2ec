#pragma once

#include "platform/xbase/table.h"

#include <QColor>
#include <QList>
#include <QObject>

class FieldLink;
class QWidget;

// Joins data-aware controls to one table. It passes the table's events on as Qt signals,
// knows every bound control, and makes them write what they hold into the record buffer
// before anybody else sees the buffer: first thing in every post and before every move
// (a tool button takes no focus, so a control cannot rely on losing it).
//
// The table must outlive the data source.
class DataSource : public QObject
{
    Q_OBJECT
public:
    explicit DataSource(xbase::Table& table, QObject* parent = nullptr);
    ~DataSource() override;

    xbase::Table& table() const { return m_table; }
    xbase::Table::State state() const { return m_table.state(); }
    bool isEditing() const;   // Edit or Insert

    // A disabled source leaves its controls blank and unable to edit, and sends no signals.
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }

    // Typing in a bound control starts Edit state (on by default).
    void setAutoEdit(bool on) { m_autoEdit = on; }
    bool autoEdit() const { return m_autoEdit; }

    // Puts the current record into Edit state; true when it is being edited now. False, with
    // nothing changed, when there is no current record or the table cannot be written.
    bool edit();
    // Bound controls write their pending text into the buffer. Runs by itself ahead of every
    // post and move; call it before reading a field that a control may still hold. Throws
    // when a control's text does not fit its field (the post or move then stops).
    void updateRecord();

    // With this on, the edits of a record marked deleted are light pink.
    void setMarkDeleted(bool on);
    bool markDeleted() const { return m_markDeleted; }
    static QColor deletedColour();

    const QList<FieldLink*>& links() const { return m_links; }

signals:
    void stateChanged();          // Closed, Browse, Edit, Insert
    void dataChanged(int field);  // 0: the whole record (moved, posted, cancelled); n: field n was set
    void scrolled();              // after every move of the table
    void posted();                // after a record was written

private:
    friend class FieldLink;
    void addLink(FieldLink* link);
    void removeLink(FieldLink* link);
    void reloadLinks(int field);

    xbase::Table& m_table;
    QList<FieldLink*> m_links;
    QList<xbase::Table::Connection> m_connections;
    bool m_enabled = true;
    bool m_autoEdit = true;
    bool m_markDeleted = false;
};

// Gives a control the light pink of a deleted record, or takes it away again.
void setDeletedLook(QWidget* control, bool deleted);

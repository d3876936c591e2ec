#pragma once

#include "platform/ui/tablemodel.h"

#include <QTableView>
#include <functional>


// A grid on a data source's table (see TableModel for the rows). Like the data-aware grids
// of the data-entry screens:
// - the table's cursor follows the current row and the current row follows the table;
// - a key press in an editable cell starts Edit state and opens the cell;
// - leaving the row or the column posts the record (a refused post keeps the cell);
// - it never appends a row; Esc while editing cancels the record's changes;
// - columns can be dragged into another order.
// The grid may outlive its data source; it is empty from then on.
class DataGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DataGrid(DataSource& source, QWidget* parent = nullptr);

    TableModel* tableModel() const { return m_model; }

    void setColumns(const QList<GridColumn>& columns);
    void setReadOnly(bool readOnly);
    bool isReadOnly() const;
    void refresh();   // re-reads the rows (after a new filter, range or order)

    // Enter and Shift+Enter (backward = true), in a cell or its open editor: when a handler is
    // set it decides where to go, for instance with moveToCell() or stepCell().
    using EnterHandler = std::function<void(bool backward)>;
    void setEnterHandler(EnterHandler handler) { m_enterHandler = std::move(handler); }
    bool handleEnter(bool backward);   // false when no handler is set

    // Makes a cell current (moving the table, which may refuse); true when that record and
    // column are current now (a post on the way may have moved the record to another row).
    bool moveToCell(int row, int column);
    // The next (previous) column in the order shown, wrapping to the first (last) column of
    // the next (previous) row; false at either end of the table.
    bool stepCell(bool backward);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void followTable();
    void keepCell(const QModelIndex& cell);

    TableModel* m_model;
    EnterHandler m_enterHandler;
    bool m_syncing = false;
};

#pragma once

#include "platform/ui/datasource.h"
#include "platform/xbase/table.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QList>
#include <QPointer>
#include <functional>
#include <optional>
#include <vector>


struct GridColumn
{
    GridColumn(const QString& field, const QString& title = {}, int width = 0, bool readOnly = false)
        : field(field), title(title), width(width), readOnly(readOnly) {}

    QString field;          // field name (case-insensitive)
    QString title;          // header text; empty: the field name
    int width = 0;          // pixels; 0: from the field's width
    bool readOnly = false;
};

// The rows of a table as a Qt model: row i is the i-th visible record of the table's current
// order (tag, range, filter and deleted setting). The row the table is on shows the record
// buffer, so an edit in progress is visible; every other row is read with a scan cursor and
// never moves the table.
//
// The rows follow posts, moves, appends, pack and zap by themselves; after setting a filter,
// a range or another tag, call refresh().
class TableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using RowColour = std::function<QColor(const xbase::RecordView& record)>;
    using CellColour = std::function<QColor(const xbase::RecordView& record, int column)>;

    explicit TableModel(DataSource& source, QObject* parent = nullptr);
    ~TableModel() override;

    // Both nullptr once the data source is gone (the model is empty then).
    DataSource* dataSource() const { return m_source; }
    xbase::Table* table() const;

    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const { return m_columns; }
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    // Background colours; an invalid colour leaves the normal one. The cell colour wins.
    void setRowColour(RowColour colour);
    void setCellColour(CellColour colour);

    quint32 recNoAt(int row) const;   // 0 outside the rows
    int rowOf(quint32 recNo) const;   // -1 when the record is not shown
    int fieldNumberAt(int column) const;   // 0 when the table has no such field

    // The table on the record of this row, in Edit state; false when it would not go there
    // or cannot be edited.
    bool beginEdit(int row);

    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    const xbase::RecordView* record(int row) const;
    void readRows();
    void resync();        // after a move: rebuild only when the rows may have changed
    void relayout();      // after a post: keys may have moved the record
    void rowChanged(int row);

    QPointer<DataSource> m_source;
    QList<GridColumn> m_columns;
    std::vector<int> m_fieldNumbers;
    bool m_readOnly = false;
    RowColour m_rowColour;
    CellColour m_cellColour;

    std::vector<quint32> m_rows;
    QHash<quint32, int> m_rowOf;
    QString m_tag;
    quint32 m_count = 0;
    mutable std::optional<xbase::ScanCursor> m_scan;
    mutable bool m_scanFresh = false;   // its buffer still matches the file
};

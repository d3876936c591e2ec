#include "platform/ui/datagrid.h"

#include "platform/ui/datasource.h"
#include "platform/ui/guard.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

using xbase::Table;

namespace {

// Opens a cell only when the table can go into Edit state on its record, and gives Enter in
// an open cell to the grid's handler.
class GridDelegate : public QStyledItemDelegate
{
public:
    explicit GridDelegate(DataGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        bool editing = false;
        runGuarded([&] { editing = m_grid->tableModel()->beginEdit(index.row()); });
        if (!editing)
            return nullptr;
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            const int field = m_grid->tableModel()->fieldNumberAt(index.column());
            const xbase::FieldDef& def = m_grid->tableModel()->table()->fieldDef(field);
            if (def.type != 'M')
                line->setMaxLength(def.type == 'D' ? 10 : def.width);
        }
        return editor;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
                auto* editor = qobject_cast<QWidget*>(object);
                const bool backward = key->modifiers() & Qt::ShiftModifier;
                emit commitData(editor);
                emit closeEditor(editor, NoHint);
                m_grid->handleEnter(backward);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    DataGrid* m_grid;
};

} // namespace

DataGrid::DataGrid(DataSource& source, QWidget* parent) : QTableView(parent), m_model(new TableModel(source, this))
{
    setModel(m_model);
    setItemDelegate(new GridDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                    | QAbstractItemView::EditKeyPressed);
    horizontalHeader()->setSectionsMovable(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    connect(&source, &DataSource::scrolled, this, &DataGrid::followTable);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DataGrid::followTable);
    followTable();
}

void DataGrid::setColumns(const QList<GridColumn>& columns)
{
    m_model->setColumns(columns);
    const QFontMetrics fm = fontMetrics();
    const Table* table = m_model->table();
    for (int c = 0; c < columns.size(); ++c) {
        int width = columns[c].width;
        if (width <= 0) {
            const int field = m_model->fieldNumberAt(c);
            const int chars = field > 0 ? std::min(table->fieldDef(field).width, 40) : 10;
            const QString title = m_model->headerData(c, Qt::Horizontal).toString();
            width = std::max(fm.horizontalAdvance(QString(chars, QLatin1Char('0'))), fm.horizontalAdvance(title)) + 12;
        }
        horizontalHeader()->resizeSection(c, width);
    }
}

void DataGrid::setReadOnly(bool readOnly)
{
    m_model->setReadOnly(readOnly);
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                             : QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                                   | QAbstractItemView::EditKeyPressed);
}

bool DataGrid::isReadOnly() const
{
    return m_model->isReadOnly();
}

void DataGrid::refresh()
{
    m_model->refresh();
}

bool DataGrid::handleEnter(bool backward)
{
    if (!m_enterHandler)
        return false;
    runGuarded([&] { m_enterHandler(backward); });
    return true;
}

bool DataGrid::moveToCell(int row, int column)
{
    const QModelIndex target = m_model->index(row, column);
    if (!target.isValid())
        return false;
    const quint32 rec = m_model->recNoAt(row);
    setCurrentIndex(target);
    // A post on the way may have moved the record to another row.
    return currentIndex().column() == column && m_model->recNoAt(currentIndex().row()) == rec;
}

bool DataGrid::stepCell(bool backward)
{
    const QHeaderView* header = horizontalHeader();
    const int columns = m_model->columnCount();
    const QModelIndex cell = currentIndex();
    if (columns == 0 || !cell.isValid())
        return false;
    int row = cell.row();
    int visual = header->visualIndex(cell.column()) + (backward ? -1 : 1);
    if (visual < 0) {
        --row;
        visual = columns - 1;
    } else if (visual >= columns) {
        ++row;
        visual = 0;
    }
    if (row < 0 || row >= m_model->rowCount())
        return false;
    return moveToCell(row, header->logicalIndex(visual));
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);   // an open cell writes into the buffer first
    if (m_syncing || !current.isValid())
        return;
    bool moved = false;
    const bool ok = runGuarded([&] {
        Table* table = m_model->table();
        if (!table || !table->isOpen())
            return;
        const quint32 rec = m_model->recNoAt(current.row());
        m_syncing = true;
        try {
            if (rec != 0 && rec != table->recNo())
                moved = table->go(rec);   // posts an edited record first
            else if (previous.isValid() && previous.column() != current.column() && m_model->dataSource()->isEditing())
                moved = table->post();
            else
                moved = true;
        } catch (...) {
            m_syncing = false;
            throw;
        }
        m_syncing = false;
    });
    if (!ok || !moved)
        keepCell(previous);
    else
        followTable();
}

// A refused move: the cell stays where it was.
void DataGrid::keepCell(const QModelIndex& cell)
{
    m_syncing = true;
    if (cell.isValid())
        selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    m_syncing = false;
}

// The current row goes to the table's record (after a move made elsewhere).
void DataGrid::followTable()
{
    const Table* table = m_model->table();
    if (m_syncing || !selectionModel() || !table)
        return;
    const int row = table->isOpen() ? m_model->rowOf(table->recNo()) : -1;
    if (row < 0 || row == currentIndex().row())
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : horizontalHeader()->logicalIndex(0);
    m_syncing = true;
    selectionModel()->setCurrentIndex(m_model->index(row, std::max(column, 0)), QItemSelectionModel::ClearAndSelect);
    m_syncing = false;
    scrollTo(currentIndex());
}

void DataGrid::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && state() != QAbstractItemView::EditingState && handleEnter(event->modifiers() & Qt::ShiftModifier))
        return;
    if (event->key() == Qt::Key_Escape && state() != QAbstractItemView::EditingState && m_model->dataSource()
        && m_model->dataSource()->isEditing()) {
        runGuarded([this] { m_model->table()->cancel(); });
        return;
    }
    QTableView::keyPressEvent(event);
}

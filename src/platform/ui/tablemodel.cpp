#include "platform/ui/tablemodel.h"

#include "platform/ui/datasource.h"
#include "platform/ui/guard.h"

#include <QBrush>

using xbase::Table;

TableModel::TableModel(DataSource& source, QObject* parent) : QAbstractTableModel(parent), m_source(&source)
{
    connect(&source, &DataSource::stateChanged, this, [this] {
        if (m_source->state() == Table::State::Closed || !m_scan)
            refresh();
    });
    connect(&source, &QObject::destroyed, this, [this] {
        beginResetModel();
        m_rows.clear();
        m_rowOf.clear();
        m_scan.reset();
        endResetModel();
    });
    connect(&source, &DataSource::posted, this, [this] {
        m_scanFresh = false;
        relayout();
    });
    connect(&source, &DataSource::dataChanged, this, [this](int field) {
        if (field == 0) {
            m_scanFresh = false;   // a record may have been written (delete mark, rewrite)
            resync();
        } else {
            rowChanged(rowOf(m_source->table().recNo()));
        }
    });
    readRows();
}

TableModel::~TableModel() = default;

Table* TableModel::table() const
{
    return m_source ? &m_source->table() : nullptr;
}

void TableModel::setColumns(const QList<GridColumn>& columns)
{
    beginResetModel();
    m_columns = columns;
    readRows();
    endResetModel();
}

void TableModel::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void TableModel::setRowColour(RowColour colour)
{
    m_rowColour = std::move(colour);
}

void TableModel::setCellColour(CellColour colour)
{
    m_cellColour = std::move(colour);
}

quint32 TableModel::recNoAt(int row) const
{
    return row >= 0 && size_t(row) < m_rows.size() ? m_rows[size_t(row)] : 0;
}

int TableModel::rowOf(quint32 recNo) const
{
    return m_rowOf.value(recNo, -1);
}

int TableModel::fieldNumberAt(int column) const
{
    return column >= 0 && size_t(column) < m_fieldNumbers.size() ? m_fieldNumbers[size_t(column)] : 0;
}

void TableModel::refresh()
{
    beginResetModel();
    readRows();
    endResetModel();
}

void TableModel::readRows()
{
    m_rows.clear();
    m_rowOf.clear();
    m_fieldNumbers.assign(size_t(m_columns.size()), 0);
    if (!m_source || !m_source->table().isOpen()) {
        m_scan.reset();
        m_tag.clear();
        m_count = 0;
        return;
    }
    const Table& table = m_source->table();
    if (!m_scan)
        m_scan.emplace(table.scan());
    m_rows = table.visibleRecords();
    m_rowOf.reserve(qsizetype(m_rows.size()));
    for (size_t i = 0; i < m_rows.size(); ++i)
        m_rowOf.insert(m_rows[i], int(i));
    m_tag = table.currentTag();
    m_count = table.recordCount();
    for (int c = 0; c < m_columns.size(); ++c)
        m_fieldNumbers[size_t(c)] = table.fieldNumber(m_columns[c].field);
}

void TableModel::resync()
{
    if (!m_source || !m_source->table().isOpen() || !m_scan) {
        refresh();
        return;
    }
    const Table& table = m_source->table();
    const quint32 rec = table.recNo();
    const bool shown = rowOf(rec) >= 0;
    const bool stale = table.recordCount() != m_count || table.currentTag() != m_tag
        || (rec > 0 && table.state() != Table::State::Insert && shown != table.isVisible());
    if (stale)
        refresh();
    else
        rowChanged(rowOf(rec));
}

void TableModel::relayout()
{
    if (!m_source || !m_source->table().isOpen() || m_source->table().recordCount() != m_count
        || m_source->table().currentTag() != m_tag) {
        refresh();
        return;
    }
    const Table& table = m_source->table();
    // Same records, perhaps in a new order: keep the view's current cell on its record.
    const std::vector<quint32> fresh = table.visibleRecords();
    if (fresh == m_rows) {
        rowChanged(rowOf(table.recNo()));
        return;
    }
    if (fresh.size() != m_rows.size()) {
        refresh();
        return;
    }
    emit layoutAboutToBeChanged();
    const std::vector<quint32> old = m_rows;
    readRows();
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& i : before) {
        const int row = rowOf(i.row() >= 0 && size_t(i.row()) < old.size() ? old[size_t(i.row())] : 0);
        after << (row >= 0 ? index(row, i.column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

void TableModel::rowChanged(int row)
{
    if (row >= 0 && row < rowCount() && columnCount() > 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

const xbase::RecordView* TableModel::record(int row) const
{
    const quint32 rec = recNoAt(row);
    if (rec == 0 || !m_source || !m_source->table().isOpen() || !m_scan)
        return nullptr;
    const Table& table = m_source->table();
    if (rec == table.recNo() && table.state() != Table::State::Insert)
        return &table;
    if (m_scan->recNo() != rec || !m_scanFresh) {
        if (!m_scan->go(rec))
            return nullptr;
        m_scanFresh = true;
    }
    return &*m_scan;
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role == Qt::UserRole)
        return {};
    const int field = fieldNumberAt(index.column());
    try {
        const xbase::RecordView* rec = record(index.row());
        if (!rec)
            return {};
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: {
            if (field == 0)
                return {};
            const char type = rec->fieldDef(field).type;
            QString text = rec->text(field);
            if (type == 'N' || type == 'F' || type == 'D')
                return text.trimmed();
            if (type == 'M')
                return text.section(QLatin1Char('\n'), 0, 0);
            while (text.endsWith(QLatin1Char(' ')))
                text.chop(1);
            return text;
        }
        case Qt::TextAlignmentRole:
            if (field > 0 && (rec->fieldDef(field).type == 'N' || rec->fieldDef(field).type == 'F'))
                return QVariant(Qt::AlignRight | Qt::AlignVCenter);
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::BackgroundRole: {
            QColor colour;
            if (m_cellColour)
                colour = m_cellColour(*rec, index.column());
            if (!colour.isValid() && m_rowColour)
                colour = m_rowColour(*rec);
            return colour.isValid() ? QVariant(QBrush(colour)) : QVariant();
        }
        default:
            return {};
        }
    } catch (...) {
        return {};   // painting never stops for a record that cannot be read
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical || role != Qt::DisplayRole || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const GridColumn& c = m_columns[section];
    return c.title.isEmpty() ? c.field : c.title;
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int field = fieldNumberAt(index.column());
    const Table* table = this->table();
    if (!m_readOnly && !m_columns[index.column()].readOnly && field > 0 && table && table->isOpen()
        && !table->isReadOnly() && table->fieldDef(field).type != 'M')
        f |= Qt::ItemIsEditable;
    return f;
}

bool TableModel::beginEdit(int row)
{
    const quint32 rec = recNoAt(row);
    if (rec == 0 || !m_source || !m_source->table().isOpen())
        return false;
    Table& table = m_source->table();
    if (rec != table.recNo() && !table.go(rec))
        return false;
    return m_source->edit();
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int field = fieldNumberAt(index.column());
    bool written = false;
    runGuarded([&] {
        if (!beginEdit(index.row()))
            return;
        if (data(index, Qt::EditRole).toString() != value.toString())
            m_source->table().setText(field, value.toString());
        written = true;
    });
    return written;
}

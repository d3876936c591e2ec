#pragma once

#include <QList>
#include <QStringList>

// The rows a report shows, taken from a table (in its current order, under its
// filter) before the report is drawn, so that drawing can be repeated by the
// preview at every zoom and at print without touching the table.
class ReportData
{
public:
    ReportData() = default;
    explicit ReportData(const QStringList& columns);

    // N rows of one column holding "1" ... "N", for forms printed on blank rows.
    static ReportData synthetic(int rows, const QString& column = QStringLiteral("ROW"));

    void addRow(const QStringList& values);
    int rowCount() const { return int(m_rows.size()); }
    const QStringList& columns() const { return m_columns; }
    // Field names are matched without regard to case; an unknown field gives "".
    QString value(int row, const QString& column) const;

private:
    QStringList m_columns;
    QList<QStringList> m_rows;
};

// What an element's callbacks see: the row being drawn and the page number.
struct ReportContext
{
    const ReportData* data = nullptr;
    int row = -1;
    int page = 1;

    QString value(const QString& column) const { return data && row >= 0 ? data->value(row, column) : QString(); }
};

#include "platform/printing/reportdata.h"

ReportData::ReportData(const QStringList& columns)
{
    for (const QString& c : columns)
        m_columns.append(c.toUpper());
}

ReportData ReportData::synthetic(int rows, const QString& column)
{
    ReportData data({column});
    for (int i = 1; i <= rows; ++i)
        data.addRow({QString::number(i)});
    return data;
}

void ReportData::addRow(const QStringList& values)
{
    QStringList row = values;
    while (row.size() < m_columns.size())
        row.append(QString());
    m_rows.append(row);
}

QString ReportData::value(int row, const QString& column) const
{
    if (row < 0 || row >= m_rows.size())
        return QString();
    const qsizetype i = m_columns.indexOf(column.toUpper());
    return i < 0 ? QString() : m_rows[row].value(i);
}

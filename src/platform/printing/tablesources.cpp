#include "platform/printing/tablesources.h"

#include "platform/xbase/table.h"

TableLabelSource::TableLabelSource(xbase::Table& table)
    : m_table(table)
{
}

bool TableLabelSource::atEnd() const
{
    return m_table.eof() || m_table.recNo() == 0;
}

void TableLabelSource::next()
{
    m_table.next();
}

QString TableLabelSource::field(const QString& name) const
{
    return m_table.hasField(name) ? m_table.text(name) : QString();
}

QString TableLabelSource::evaluate(const QString& expression) const
{
    auto it = m_compiled.find(expression);
    if (it == m_compiled.end())
        it = m_compiled.insert(expression, xbase::Expression::compile(expression, m_table.fields(), m_table.codePage()));
    return it->evaluateText(m_table);
}

ReportData reportDataFromTable(xbase::Cursor& table, const QStringList& fields)
{
    QStringList columns = fields;
    if (columns.isEmpty())
        for (const xbase::FieldDef& f : table.fields())
            columns.append(f.name);
    ReportData data(columns);
    const quint32 was = table.recNo();
    for (bool on = table.first(); on && !table.eof() && table.recNo() != 0; on = table.next()) {
        QStringList row;
        for (const QString& c : columns)
            row.append(table.hasField(c) ? table.text(c) : QString());
        data.addRow(row);
    }
    if (was != 0)
        table.go(was);
    return data;
}

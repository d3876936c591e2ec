#pragma once

#include "platform/printing/labels.h"
#include "platform/printing/reportdata.h"
#include "platform/xbase/expression.h"

#include <QHash>

namespace xbase {
class Cursor;
class Table;
}

// Labels from a table: from its current record on, in its current order, under its
// filter and deleted-record visibility. Fields read as stored (padded; dates as
// MM/DD/YYYY, numbers right-aligned); expressions go through the xBase compiler.
class TableLabelSource : public LabelSource
{
public:
    explicit TableLabelSource(xbase::Table& table);

    bool atEnd() const override;
    void next() override;
    QString field(const QString& name) const override;
    // Throws xbase::Error when the expression does not compile; the print job reports it.
    QString evaluate(const QString& expression) const override;

private:
    xbase::Table& m_table;
    mutable QHash<QString, xbase::Expression> m_compiled;
};

// A report's rows taken from a table in its current order and under its filter,
// from the first record to the last; the table is put back on the record it was on.
// Without a field list every field is taken.
ReportData reportDataFromTable(xbase::Cursor& table, const QStringList& fields = {});

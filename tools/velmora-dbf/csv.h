#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// Comma-separated values as spreadsheets write them: fields with commas, quotes or line
// breaks are quoted, quotes doubled.
namespace csv {

QString line(const QStringList& fields);
// Reads one record (which may span lines inside quotes); false at the end of input.
bool read(QTextStream& in, QStringList& fields);

} // namespace csv

#pragma once

#include "platform/xbase/table.h"
#include "support/tempfolder.h"

#include <QFile>
#include <gtest/gtest.h>

// Helpers shared by the table layer's tests.
namespace xbasetest {

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

// Appends one record with the given field texts (by field order).
inline void addRow(xbase::Table& t, const QStringList& values)
{
    t.append();
    for (int i = 0; i < values.size(); ++i)
        t.setText(i + 1, values[i]);
    ASSERT_TRUE(t.post());
}

// Record numbers in the table's current order, visible records only.
inline QList<quint32> walk(xbase::Cursor& c)
{
    QList<quint32> out;
    for (c.first(); !c.eof(); c.next())
        out << c.recNo();
    return out;
}

// A field's trimmed text of each visible record in the current order.
inline QStringList column(xbase::Cursor& c, const QString& field)
{
    QStringList out;
    for (c.first(); !c.eof(); c.next())
        out << c.trimmed(field);
    return out;
}

} // namespace xbasetest

QT_BEGIN_NAMESPACE
inline std::ostream& operator<<(std::ostream& os, const QString& s)
{
    return os << s.toStdString();
}
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QByteArray& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

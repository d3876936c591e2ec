#pragma once

#include "platform/xbase/fielddef.h"

#include <QDate>
#include <QString>

namespace xbase {

namespace detail {
struct TableData;
}

// Names a field either by name (case-insensitive) or by its 1-based number.
class FieldRef
{
public:
    FieldRef(int number) : m_number(number) {}
    FieldRef(const QString& name) : m_name(name) {}
    FieldRef(const char* name) : m_name(QString::fromUtf8(name)) {}
    FieldRef(QLatin1StringView name) : m_name(name) {}

    bool byNumber() const { return m_name.isNull(); }
    int number() const { return m_number; }
    const QString& name() const { return m_name; }

private:
    int m_number = 0;
    QString m_name;
};

// Read access to the fields of one record (a table's current record, a scan cursor's record
// or the record a filter is asked about). The buffer is the decoded record: the read callback
// has been applied, the bytes are still the table's code page.
//
// Values read as text follow dBASE: padded to the field width, numbers right-aligned,
// logicals "T"/"F", dates "MM/DD/YYYY" (blank dates give blanks), memos their whole text.
// A field name or number that does not exist throws Error.
class RecordView
{
public:
    // Layout
    const FieldList& fields() const;
    int fieldCount() const;
    int fieldIndex(const QString& name) const;   // 0-based, -1 when there is no such field
    int fieldNumber(const QString& name) const;  // 1-based, 0 when there is no such field
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    const FieldDef& fieldDef(FieldRef field) const;

    // The record
    quint32 recNo() const { return m_recNo; }    // 0 when there is no record (eof, empty)
    bool isDeleted() const;

    QString text(FieldRef field) const;          // padded, as above
    QString trimmed(FieldRef field) const;       // text() without leading and trailing blanks
    QString rawText(FieldRef field) const;       // stored characters unchanged (D: "YYYYMMDD", even invalid)
    qint64 toInt(FieldRef field) const;          // blank or not a number reads as 0; decimals are rounded
    double toDouble(FieldRef field) const;       // blank reads as 0
    bool toBool(FieldRef field) const;           // T, t, Y, y are true; anything else false
    QDate toDate(FieldRef field) const;          // invalid QDate for blank or impossible dates
    bool isBlank(FieldRef field) const;          // only blanks stored
    QByteArray rawBytes(FieldRef field) const;   // this buffer's bytes of the field

    // The record buffer including the deletion byte (decoded as described above).
    QByteArray buffer() const;

protected:
    RecordView() = default;
    int resolve(FieldRef field) const;          // 0-based index, throws when unknown
    const detail::TableData* m_data = nullptr;
    const char* m_buf = nullptr;
    quint32 m_recNo = 0;

    friend class Expression;
};

} // namespace xbase

#pragma once

// Internal to the table layer: the state one open table file shares between its Table
// object and its scan cursors.

#include "platform/xbase/codepage.h"
#include "platform/xbase/expression.h"
#include "platform/xbase/fielddef.h"
#include "platform/xbase/largebuffer.h"
#include "platform/xbase/table.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

namespace xbase::detail {

// The .dbt (dBASE III or IV) or .fpt memo file of a table.
class MemoFile
{
public:
    enum class Kind { DbaseIII, DbaseIV, FoxPro };

    MemoFile() = default;
    MemoFile(const MemoFile&) = delete;
    MemoFile& operator=(const MemoFile&) = delete;
    ~MemoFile();

    static void create(const QString& path);   // an empty dBASE III memo file
    void open(const QString& path, Kind kind, bool readOnly);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    const QString& path() const { return m_path; }

    QByteArray read(quint32 block) const;        // code-page bytes of the memo starting there
    quint32 write(const QByteArray& text);       // stores text in new blocks; returns the first block
    void reset();                                // empty (zap)
    void sync();

private:
    QString m_path;
    int m_fd = -1;
    Kind m_kind = Kind::DbaseIII;
    quint32 m_blockSize = 512;
    quint32 m_nextFree = 1;
    bool m_readOnly = false;
};

struct Tag
{
    TagDef def;
    Expression expr;
    int keyLength = 0;
    LargeBuffer keys;              // keyLength bytes per record, indexed by record number - 1
    std::vector<quint32> order;    // record numbers ascending by (key, recno)

    const char* key(quint32 recNo) const { return keys.constData() + qsizetype(recNo - 1) * keyLength; }
    bool less(const char* keyA, quint32 recA, const char* keyB, quint32 recB) const;
    qsizetype indexOf(quint32 recNo) const;      // ascending index of a record
    // First ascending index whose key (its first n bytes) is not below prefix / is above prefix.
    qsizetype lowerBound(const QByteArray& prefix) const;
    qsizetype upperBound(const QByteArray& prefix) const;
};

struct TableData
{
    ~TableData();

    QString path;
    int fd = -1;
    bool open = false;
    bool readOnly = false;     // opened read-only
    bool flushAfterPost = true;

    unsigned char version = 0x03;
    QDate lastUpdate;
    int headerLength = 0;
    int recordLength = 0;
    quint32 count = 0;
    const CodePage* codePage = &CodePage::get(CodePage::Cp437);
    QByteArray header;         // the header bytes as in the file

    FieldList fields;
    std::vector<int> offsets;  // byte offset of each field in the record (after the deletion byte)
    QHash<QString, int> nameIndex;   // lower-case name -> index
    bool hasMemo = false;
    MemoFile memo;

    LargeBuffer records;       // count * recordLength bytes, as stored in the file
    RecordCallback readCallback;
    RecordCallback writeCallback;
    std::vector<Tag> tags;
    quint64 generation = 0;    // bumped by pack and zap
    quint64 tagsVersion = 0;   // bumped when the tag list changes

    // Reading
    void load(const QString& path, bool readOnly);
    const char* raw(quint32 recNo) const { return records.constData() + qsizetype(recNo - 1) * recordLength; }
    bool rawDeleted(quint32 recNo) const { return raw(recNo)[0] == '*'; }
    void decode(quint32 recNo, char* out) const;     // raw record through the read callback
    QByteArray blankRecord() const;
    QString fileError(const QString& what) const;   // "<path>: what"
    [[noreturn]] void fail(const QString& what) const;

    // Writing (all write the record first, then the header)
    void writeRecord(quint32 recNo, const char* decoded);   // existing record
    quint32 appendRecord(const char* decoded);               // returns its number
    void appendStored(const char* storedRecords, qsizetype size, quint32 n);  // bytes already as stored
    void writeDeleted(quint32 recNo, bool deleted);
    void writeHeader();
    void sync();
    void packFile();
    void zapFile();

    // Tags
    void buildTags(std::vector<Tag>& list) const;   // keys and order of every tag in list
    void buildTags();
    void updateKeys(quint32 recNo, const char* decoded);      // after a record changed
    void appendKeys(quint32 recNo, const char* decoded);      // after a record was appended

private:
    void pwriteAll(int fd, const char* data, qsizetype size, qint64 offset) const;
    void storeEncoded(quint32 recNo, const char* decoded, char* out) const;
};

// Shared by the file reader and the field setters.
bool formatNumber(double value, int width, int decimals, char* out);   // false when it does not fit
double parseNumber(const char* p, int size, bool* ok = nullptr);
QString fieldTypeName(const FieldDef& f);

} // namespace xbase::detail

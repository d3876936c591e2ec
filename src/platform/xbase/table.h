#pragma once

#include "platform/xbase/codepage.h"
#include "platform/xbase/error.h"
#include "platform/xbase/expression.h"
#include "platform/xbase/fielddef.h"
#include "platform/xbase/record.h"

#include <QDate>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace xbase {

class Table;
namespace detail {
struct Tag;
}

// Record callbacks work in place on the record bytes without the deletion byte (which is never
// passed through them). The read callback is applied to what comes from the file, the write
// callback to a copy of the buffer just before it is written (after the text was encoded).
using RecordCallback = std::function<void(char* bytes, qsizetype size)>;
// A filter sees each candidate record; true keeps it visible.
using RecordFilter = std::function<bool(const RecordView& record)>;

enum class SeekMode {
    Exact,    // the value padded with blanks to the key length must equal the key
    Partial,  // the first key that begins with the value
    Soft,     // the first key not before the value (found() tells whether it begins with it)
};

enum class AppendMode {
    ByName,      // fields matched by name (case-insensitive), values converted, others blank
    ByPosition,  // field n from field n, values converted
    Raw,         // identical record layout: the stored bytes copied, no callbacks on either side
};

struct OpenOptions
{
    bool readOnly = false;        // opened for reading only (shared lock; no writes possible)
    bool flushAfterPost = true;   // write through to the disk (record, then header) on every post
    QString currentTag;           // tag made current after open; empty = natural order
};

// Cursor movement and visibility shared by Table and ScanCursor.
//
// Ends follow dBASE: first() and last() land on a record and clear bof/eof; moving past the
// last visible record gives eof() with a blank record (recNo() 0), moving before the first
// gives bof() and stays on the first. A failed exact or partial seek also ends at eof.
// Visibility = showDeleted (default true) && filter && range.
class Cursor : public RecordView
{
public:
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;
    virtual ~Cursor();

    bool isOpen() const;
    QString path() const;
    quint32 recordCount() const;   // physical count, deleted records included
    bool isEmpty() const { return recordCount() == 0; }

    // Order. Tag names are case-insensitive; an empty name selects natural (record) order.
    // Setting a tag keeps the current record. Throws for an unknown tag.
    void setCurrentTag(const QString& name);
    QString currentTag() const;                   // its name as defined, empty for natural order
    QStringList tagNames() const;
    TagList tags() const;
    int keyLength() const;                        // of the current tag, 0 in natural order
    QByteArray currentKey() const;                // the current record's key bytes in the current tag

    // Movement. Each returns false when the move was refused (an edit could not be posted,
    // or a before-navigate hook said no); see Table.
    bool first();
    bool last();
    bool next();
    bool prior();
    bool skip(qint64 count);
    bool go(quint32 recNo);                       // any existing record, visible or not; false if none
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    void refresh();                               // re-read the current record

    // Seek on the current tag (throws in natural order). Lands on the first visible match in
    // the tag's order; true when found. Not found: Exact and Partial end at eof, Soft on the
    // next key in the tag's order (or eof).
    bool seek(const QString& value, SeekMode mode = SeekMode::Exact);
    bool seekKey(const QByteArray& keyBytes, SeekMode mode = SeekMode::Exact);
    bool found() const { return m_found; }

    // Visibility
    void setShowDeleted(bool show);
    bool showDeleted() const { return m_showDeleted; }
    void setFilter(RecordFilter filter);
    void setFilter(const QString& expression);    // a logical xBase expression; throws if it does not compile
    void clearFilter();
    bool hasFilter() const;
    // Range on the current tag: keys beginning with prefix, or between low and high (both
    // compared on their own length, inclusive). Changing the tag clears the range.
    void setRange(const QString& prefix);
    void setRange(const QString& low, const QString& high);
    void clearRange();
    bool hasRange() const;
    // Whether the current record is visible now (it may have stopped matching after an edit).
    bool isVisible() const;
    // Without moving: every visible record number in the current order (for grids), and the
    // visible record after (direction > 0) or before the current one, 0 when there is none
    // (from eof, the one before is the last visible record).
    std::vector<quint32> visibleRecords() const;
    quint32 neighbour(int direction) const;

protected:
    friend class Table;
    Cursor();
    Cursor(Cursor&&) noexcept;
    virtual bool beforeMove() { return true; }   // Table: hooks and auto-post
    virtual void afterMove() {}                  // Table: events
    void attach(std::shared_ptr<detail::TableData> data);
    void detachData();
    void loadCurrent();
    void setPosition(quint32 recNo);
    bool moveTo(qint64 pos, int direction);
    qint64 orderSize() const;
    quint32 recAt(qint64 pos) const;
    qint64 posOf(quint32 recNo) const;
    bool visible(quint32 recNo) const;

    const detail::Tag* tag() const;              // the current tag, nullptr in natural order
    void clearPosition();                        // no record: blank buffer, recNo() 0
    void checkOpen() const;
    void sync();                                 // catches up with pack, zap and tag changes
    std::pair<qint64, qint64> bounds() const;    // the range as positions [first, end) in the order

    std::shared_ptr<detail::TableData> m_shared;
    int m_tag = -1;
    QString m_tagName;
    quint64 m_tagVersion = 0;
    quint64 m_generation = 0;
    qint64 m_pos = -1;             // position in the current order; meaningful when m_recNo > 0
    bool m_eof = true;
    bool m_bof = true;
    bool m_found = false;
    bool m_showDeleted = true;
    RecordFilter m_filter;
    Expression m_filterExpr;
    QByteArray m_rangeLow, m_rangeHigh;
    bool m_hasRange = false;
    QByteArray m_buffer;           // decoded current record
    mutable QByteArray m_scratch;
};

// A cheap read-only cursor over an open table: it shares the table's records and tags, keeps
// its own position, order, filter and deleted setting, and fires no events. It stays valid
// while the table is open; after close every call throws Error.
class ScanCursor : public Cursor
{
public:
    ScanCursor(ScanCursor&&) noexcept;
    ~ScanCursor() override;

private:
    friend class Table;
    explicit ScanCursor(std::shared_ptr<detail::TableData> data);
};

// A dBASE table (.dbf, with its .dbt memo file) opened exclusively, with in-memory index tags,
// a record buffer with browse/edit/insert states and dataset-style events.
//
// Every failure throws Error with a message naming the file.
class Table : public Cursor
{
public:
    enum class State { Closed, Browse, Edit, Insert };
    using Connection = quint64;

    Table();
    ~Table() override;   // closes without events; a pending edit is dropped (close() first to keep it)

    // Files
    // Creates an empty dBASE III table (0x03, or 0x83 with a .dbt when a field is M), code page
    // 437. Overwrites an existing file. Field names are cut to 10 characters; D fields are 8 wide.
    static void create(const QString& path, const FieldList& fields);
    // Record length from the header of a closed file (bytes 10-11), without opening it.
    static int readRecordLength(const QString& path);
    // The memo file path that belongs to a table path (existing spelling preferred).
    static QString memoPath(const QString& path);
    // Deletes a table file and its memo file, if they exist.
    static void remove(const QString& path);

    // Tags used by the next open, or (when open) built at once. Names must be unique.
    void setTags(const TagList& tags);
    void addTag(const TagDef& tag);
    void reindex();                               // rebuild every tag from the records

    void open(const QString& path, const OpenOptions& options = {});
    void close();                                 // posts a pending edit first (a veto drops it)
    State state() const { return m_state; }
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);              // a table opened read-only cannot be made writable

    // Header facts
    int recordLength() const;                     // including the deletion byte
    int headerLength() const;
    unsigned char version() const;                // header byte 0
    QDate lastUpdate() const;                     // header bytes 1-3
    const CodePage& codePage() const;
    bool hasMemo() const;

    // Callbacks on the record bytes (see RecordCallback). Either may be empty. They belong to
    // one open: given before open() they serve the next open (and its tags are built once);
    // close() forgets them. Setting the read callback on an open table rebuilds the tags and
    // re-reads the current record.
    void setReadCallback(RecordCallback callback);
    void setWriteCallback(RecordCallback callback);

    // A new read-only cursor on this table's records and tags.
    ScanCursor scan() const;

    // Editing. append() enters Insert with a blank buffer that is not in the file until post();
    // edit() enters Edit on the current record. Setting a field in Browse state calls edit().
    // post() runs BeforePost handlers (which may change the buffer or veto: post() then returns
    // false and the state stays), writes the record (then the header) and updates every tag;
    // the cursor stays on the record at its new place in the order. cancel() drops the buffer
    // (an appended record disappears and the cursor returns where it was).
    // Moving the cursor in Edit or Insert state posts first; a veto cancels the move.
    void append();
    void edit();
    bool post();
    void cancel();
    bool isModified() const { return m_modified; }
    void clearBuffer();                           // every field of the buffer blank

    // Setters work on the buffer. C values are cut to the width; N values are formatted with
    // the field's decimals, right-aligned, and a value that does not fit throws Error naming
    // the field; D takes "MM/DD/YYYY", "YYYYMMDD" or blank; L takes T/Y/F/N/blank.
    void setText(FieldRef field, const QString& value);
    void setRawText(FieldRef field, const QString& value);   // characters stored as given (cut/padded)
    void setInt(FieldRef field, qint64 value);
    void setDouble(FieldRef field, double value);
    void setBool(FieldRef field, bool value);
    void setDate(FieldRef field, const QDate& value);       // invalid date = blank
    void setBlank(FieldRef field);
    void setRawBytes(FieldRef field, const QByteArray& bytes); // code-page bytes, cut/padded with blanks

    // Deletion mark of the current record; written at once in Browse and Edit, kept in the
    // buffer in Insert. Records are only removed by pack().
    void setDeleted(bool deleted);
    void toggleDeleted() { setDeleted(!isDeleted()); }

    // Whole-table operations (not in Edit or Insert state).
    void pack();    // removes deleted records into a new file that replaces the old; then first()
    void zap();     // removes every record and empties the memo file
    void flush();   // writes everything through to the disk
    void rewriteAll();  // every record read through the read callback and written through the write callback
    void copyStructure(const QString& path) const;   // an empty table with the same fields
    // Appends every record of another table file (opened read-only for the copy); deleted
    // records are copied with their mark. sourceRead is the read callback for the source
    // (ignored in Raw mode).
    void appendFrom(const QString& sourcePath, AppendMode mode = AppendMode::ByName,
                    RecordCallback sourceRead = {});
    void appendFrom(const Cursor& source, AppendMode mode = AppendMode::ByName);

    // Raw access by record number: the stored bytes, bypassing the read callback, not moving
    // the cursor. Record bytes include the deletion byte; field numbers are 1-based.
    QByteArray rawRecord(quint32 recNo) const;
    QByteArray rawField(quint32 recNo, int fieldNumber) const;

    // Events. Handlers are plain callables; keep the Connection to detach them.
    // BeforePost may change the buffer; returning false vetoes the post.
    // BeforeNavigate runs before any move of this cursor (before an auto-post); false cancels it.
    // DataChange tells bound controls to re-read: field 0 = the whole record, n = field n set.
    Connection onBeforePost(std::function<bool(Table&)> handler);
    Connection onAfterPost(std::function<void(Table&)> handler);
    Connection onAfterScroll(std::function<void(Table&)> handler);
    Connection onStateChange(std::function<void(Table&)> handler);
    Connection onBeforeNavigate(std::function<bool(Table&)> handler);
    Connection onDataChange(std::function<void(Table&, int field)> handler);
    // UpdateRecord runs while a record is being edited, first in post() and before every move
    // (ahead of BeforeNavigate), so bound controls write their pending text into the buffer
    // before anyone looks at it. A handler that throws stops the post or the move.
    Connection onUpdateRecord(std::function<void(Table&)> handler);
    void detach(Connection connection);

    // While disabled (calls nest), AfterScroll and DataChange are not sent; enabling again
    // sends one AfterScroll and DataChange if the cursor moved meanwhile.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

protected:
    bool beforeMove() override;
    void afterMove() override;

private:
    struct Events;
    void setState(State state);
    void fieldSet(int index);
    void requireOpen() const;
    void requireWritable() const;
    void requireBrowse(const char* what) const;
    char* bufferField(int index);
    void writeField(int index, QByteArrayView bytes);

    State m_state = State::Closed;
    bool m_modified = false;
    quint32 m_insertReturn = 0;   // record to return to when an insert is cancelled
    int m_disabled = 0;
    bool m_movedWhileDisabled = false;
    bool m_inPost = false;
    TagList m_tagDefs;
    std::unique_ptr<Events> m_events;
};

} // namespace xbase

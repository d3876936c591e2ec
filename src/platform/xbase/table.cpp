// The Table: open/close, the record buffer with its states, field setters, events and the
// whole-table operations.

#include "platform/xbase/table.h"
#include "platform/xbase/tabledata.h"

#include <QDir>
#include <QFile>

#include <cmath>
#include <cstring>
#include <vector>
#include <unistd.h>

namespace xbase {

using detail::TableData;
using detail::Tag;

template <typename Fn>
struct HandlerList
{
    std::vector<std::pair<Table::Connection, Fn>> items;
    // A copy, so handlers may detach themselves or others while being called.
    std::vector<Fn> snapshot() const
    {
        std::vector<Fn> out;
        out.reserve(items.size());
        for (const auto& [id, fn] : items)
            out.push_back(fn);
        return out;
    }
    bool remove(Table::Connection id)
    {
        for (auto it = items.begin(); it != items.end(); ++it) {
            if (it->first == id) {
                items.erase(it);
                return true;
            }
        }
        return false;
    }
};

struct Table::Events
{
    Connection nextId = 1;
    HandlerList<std::function<bool(Table&)>> beforePost;
    HandlerList<std::function<void(Table&)>> afterPost;
    HandlerList<std::function<void(Table&)>> afterScroll;
    HandlerList<std::function<void(Table&)>> stateChange;
    HandlerList<std::function<bool(Table&)>> beforeNavigate;
    HandlerList<std::function<void(Table&, int)>> dataChange;
    HandlerList<std::function<void(Table&)>> updateRecord;
    bool readOnlyMode = false;
    // Callbacks given before open, used by the next open (so its tags are built once).
    RecordCallback pendingRead;
    RecordCallback pendingWrite;
};

namespace {

// Stores a value given as text into one field of a decoded record buffer.
void storeText(const TableData& d, int index, char* buf, const QString& value)
{
    const FieldDef& f = d.fields[index];
    char* p = buf + d.offsets[size_t(index)];
    const QString t = value.trimmed();
    switch (f.type) {
    case 'N':
    case 'F': {
        if (t.isEmpty()) {
            std::memset(p, ' ', size_t(f.width));
            return;
        }
        bool ok = false;
        QString number = t;
        number.replace(QLatin1Char(','), QLatin1Char('.'));
        const double v = number.toDouble(&ok);
        if (!ok)
            d.fail(QStringLiteral("\"%1\" is not a number (field %2)").arg(value, f.name));
        QByteArray out(f.width, ' ');
        if (!detail::formatNumber(v, f.width, f.decimals, out.data()))
            d.fail(QStringLiteral("the value %1 does not fit field %2 (%3)").arg(t, f.name, detail::fieldTypeName(f)));
        std::memcpy(p, out.constData(), size_t(f.width));
        return;
    }
    case 'D': {
        QByteArray stored(8, ' ');
        if (!t.isEmpty()) {
            QDate date = QDate::fromString(t, QStringLiteral("MM/dd/yyyy"));
            if (!date.isValid())
                date = QDate::fromString(t, QStringLiteral("M/d/yyyy"));
            if (date.isValid())
                stored = date.toString(QStringLiteral("yyyyMMdd")).toLatin1();
            else if (t.size() == 8 && std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); }))
                stored = t.toLatin1();
            else
                d.fail(QStringLiteral("\"%1\" is not a date (field %2)").arg(value, f.name));
        }
        std::memset(p, ' ', size_t(f.width));
        std::memcpy(p, stored.constData(), size_t(std::min(8, f.width)));
        return;
    }
    case 'L': {
        const QChar c = t.isEmpty() ? QLatin1Char(' ') : t[0].toUpper();
        *p = (c == QLatin1Char('T') || c == QLatin1Char('Y')) ? 'T' : (c == QLatin1Char(' ') || c == QLatin1Char('?') ? ' ' : 'F');
        return;
    }
    default: {
        const QByteArray bytes = d.codePage->encode(value);
        const int n = int(std::min<qsizetype>(bytes.size(), f.width));
        std::memcpy(p, bytes.constData(), size_t(n));
        std::memset(p + n, ' ', size_t(f.width - n));
        return;
    }
    }
}

void storeBytes(const TableData& d, int index, char* buf, QByteArrayView bytes)
{
    const FieldDef& f = d.fields[index];
    char* p = buf + d.offsets[size_t(index)];
    const int n = int(std::min<qsizetype>(bytes.size(), f.width));
    if (n > 0)   // an empty value may come without any storage
        std::memcpy(p, bytes.data(), size_t(n));
    std::memset(p + n, ' ', size_t(f.width - n));
}

QByteArray memoPointer(const TableData& d, const FieldDef& f, quint32 block)
{
    if (f.width == 4 && (d.version == 0x30 || d.version == 0x31)) {
        QByteArray out(4, '\0');
        for (int i = 0; i < 4; ++i)
            out[i] = char((block >> (8 * i)) & 0xFF);
        return out;
    }
    if (block == 0)
        return QByteArray(f.width, ' ');
    return QByteArray::number(block).rightJustified(f.width, ' ');
}

class SourceView : public RecordView
{
public:
    SourceView(const TableData* data, const char* buf, quint32 recNo)
    {
        m_data = data;
        m_buf = buf;
        m_recNo = recNo;
    }
};

} // namespace

Table::Table() : m_events(std::make_unique<Events>()) {}

Table::~Table()
{
    // Handlers may refer to objects already gone, so none is called from here, and a pending
    // edit is dropped rather than posted without its checks.
    m_events = std::make_unique<Events>();
    try {
        if (m_state == State::Edit || m_state == State::Insert)
            cancel();
        close();
    } catch (...) {
        // Closing never throws out of a destructor; the file stays as last written.
    }
}

void Table::requireOpen() const
{
    checkOpen();
}

void Table::requireWritable() const
{
    requireOpen();
    if (m_shared->readOnly || m_events->readOnlyMode)
        m_shared->fail(QStringLiteral("the table is open for reading only"));
}

void Table::requireBrowse(const char* what) const
{
    if (m_state == State::Edit || m_state == State::Insert)
        m_shared->fail(QStringLiteral("%1 is not possible while a record is being edited").arg(QLatin1String(what)));
}

void Table::setTags(const TagList& tags)
{
    for (int i = 0; i < tags.size(); ++i)
        for (int j = 0; j < i; ++j)
            if (tags[i].name.compare(tags[j].name, Qt::CaseInsensitive) == 0)
                throw Error(QStringLiteral("Index tag \"%1\" is defined twice").arg(tags[i].name));
    m_tagDefs = tags;
    if (!isOpen())
        return;
    std::vector<Tag> built;
    for (const TagDef& def : tags) {
        Tag t;
        t.def = def;
        try {
            t.expr = Expression::compile(def.expression, m_shared->fields, *m_shared->codePage);
        } catch (const Error& e) {
            m_shared->fail(QStringLiteral("index tag %1: %2").arg(def.name, e.message()));
        }
        built.push_back(std::move(t));
    }
    m_shared->buildTags(built);
    m_shared->tags = std::move(built);
    ++m_shared->tagsVersion;
    sync();
}

void Table::addTag(const TagDef& tag)
{
    TagList list = m_tagDefs;
    list << tag;
    setTags(list);
}

void Table::reindex()
{
    requireOpen();
    m_shared->buildTags();
}

void Table::open(const QString& path, const OpenOptions& options)
{
    if (isOpen())
        close();
    auto data = std::make_shared<TableData>();
    data->flushAfterPost = options.flushAfterPost;
    data->load(path, options.readOnly);
    data->readCallback = std::move(m_events->pendingRead);
    data->writeCallback = std::move(m_events->pendingWrite);
    m_events->pendingRead = nullptr;
    m_events->pendingWrite = nullptr;
    m_events->readOnlyMode = false;
    attach(data);
    try {
        setTags(m_tagDefs);
        if (!options.currentTag.isEmpty())
            setCurrentTag(options.currentTag);
    } catch (...) {
        detachData();   // the file closes with its data
        throw;
    }
    m_modified = false;
    if (!moveTo(0, +1)) {
        clearPosition();
        m_eof = m_bof = true;
    }
    setState(State::Browse);
    afterMove();
}

void Table::close()
{
    if (!m_shared)
        return;
    if (m_shared->open && (m_state == State::Edit || m_state == State::Insert)) {
        bool posted = false;
        try {
            posted = post();
        } catch (...) {
            cancel();
            m_shared->open = false;
            detachData();
            m_state = State::Closed;
            throw;
        }
        if (!posted)
            cancel();
    }
    if (m_shared->open) {
        m_shared->open = false;
        if (m_shared->fd >= 0) {
            ::close(m_shared->fd);
            m_shared->fd = -1;
        }
        m_shared->memo.close();
        m_shared->records.release();
        m_shared->tags.clear();
    }
    detachData();
    setState(State::Closed);
}

bool Table::isReadOnly() const
{
    return m_shared && (m_shared->readOnly || m_events->readOnlyMode);
}

void Table::setReadOnly(bool readOnly)
{
    requireOpen();
    if (!readOnly && m_shared->readOnly)
        m_shared->fail(QStringLiteral("the table was opened for reading only"));
    if (readOnly && (m_state == State::Edit || m_state == State::Insert))
        post();
    m_events->readOnlyMode = readOnly;
}

int Table::recordLength() const
{
    requireOpen();
    return m_shared->recordLength;
}

int Table::headerLength() const
{
    requireOpen();
    return m_shared->headerLength;
}

unsigned char Table::version() const
{
    requireOpen();
    return m_shared->version;
}

QDate Table::lastUpdate() const
{
    requireOpen();
    return m_shared->lastUpdate;
}

const CodePage& Table::codePage() const
{
    requireOpen();
    return *m_shared->codePage;
}

bool Table::hasMemo() const
{
    requireOpen();
    return m_shared->hasMemo;
}

void Table::setReadCallback(RecordCallback callback)
{
    if (!m_shared) {
        m_events->pendingRead = std::move(callback);
        return;
    }
    m_shared->readCallback = std::move(callback);
    if (m_shared->open) {
        m_shared->buildTags();
        if (m_state == State::Browse) {
            loadCurrent();
            if (!m_disabled)
                for (const auto& fn : m_events->dataChange.snapshot())
                    fn(*this, 0);
        }
    }
}

void Table::setWriteCallback(RecordCallback callback)
{
    if (!m_shared) {
        m_events->pendingWrite = std::move(callback);
        return;
    }
    m_shared->writeCallback = std::move(callback);
}

ScanCursor Table::scan() const
{
    requireOpen();
    return ScanCursor(m_shared);
}

// ---------------------------------------------------------------------------------------
// States and editing

void Table::setState(State state)
{
    const bool changed = state != m_state;
    m_state = state;
    if (changed)
        for (const auto& fn : m_events->stateChange.snapshot())
            fn(*this);
}

void Table::append()
{
    requireWritable();
    if ((m_state == State::Edit || m_state == State::Insert) && !post())
        return;
    m_insertReturn = m_recNo;
    clearPosition();
    m_eof = m_bof = false;
    m_modified = false;
    setState(State::Insert);
    if (!m_disabled)
        for (const auto& fn : m_events->dataChange.snapshot())
            fn(*this, 0);
}

void Table::edit()
{
    requireWritable();
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    if (m_recNo == 0)
        m_shared->fail(QStringLiteral("there is no current record to edit"));
    loadCurrent();
    m_modified = false;
    setState(State::Edit);
}

bool Table::post()
{
    requireOpen();
    if (m_state != State::Edit && m_state != State::Insert)
        return true;
    if (m_inPost)
        return false;
    m_inPost = true;
    try {
        for (const auto& fn : m_events->updateRecord.snapshot())
            fn(*this);
        for (const auto& fn : m_events->beforePost.snapshot()) {
            if (!fn(*this)) {
                m_inPost = false;
                return false;
            }
        }
        requireWritable();
        TableData& d = *m_shared;
        if (m_state == State::Insert) {
            const quint32 rec = d.appendRecord(m_buffer.constData());
            d.appendKeys(rec, m_buffer.constData());
            setPosition(rec);
        } else {
            d.writeRecord(m_recNo, m_buffer.constData());
            d.updateKeys(m_recNo, m_buffer.constData());
            loadCurrent();
        }
        if (d.memo.isOpen() && d.flushAfterPost)
            d.memo.sync();
    } catch (...) {
        m_inPost = false;
        throw;
    }
    m_inPost = false;
    m_modified = false;
    setState(State::Browse);
    for (const auto& fn : m_events->afterPost.snapshot())
        fn(*this);
    if (!m_disabled)
        for (const auto& fn : m_events->dataChange.snapshot())
            fn(*this, 0);
    return true;
}

void Table::cancel()
{
    if (m_state == State::Insert) {
        if (m_insertReturn > 0 && m_insertReturn <= m_shared->count) {
            setPosition(m_insertReturn);
        } else {
            clearPosition();
            m_eof = true;
        }
    } else if (m_state == State::Edit) {
        loadCurrent();
    } else {
        return;
    }
    m_modified = false;
    setState(State::Browse);
    if (!m_disabled)
        for (const auto& fn : m_events->dataChange.snapshot())
            fn(*this, 0);
}

void Table::clearBuffer()
{
    requireWritable();
    if (m_state == State::Browse)
        edit();
    const char del = m_buffer[0];
    m_buffer.fill(' ');
    m_buffer[0] = del;
    m_modified = true;
    fieldSet(-1);
}

void Table::fieldSet(int index)
{
    m_modified = true;
    if (!m_disabled)
        for (const auto& fn : m_events->dataChange.snapshot())
            fn(*this, index + 1);
}

char* Table::bufferField(int index)
{
    return m_buffer.data() + m_shared->offsets[size_t(index)];
}

void Table::writeField(int index, QByteArrayView bytes)
{
    storeBytes(*m_shared, index, m_buffer.data(), bytes);
    fieldSet(index);
}

namespace {

int beginSet(Table& t, FieldRef field, const std::function<int(FieldRef)>& resolveFn)
{
    const int i = resolveFn(field);
    if (t.state() == Table::State::Browse)
        t.edit();
    return i;
}

} // namespace

void Table::setText(FieldRef field, const QString& value)
{
    requireWritable();
    const int i = beginSet(*this, field, [this](FieldRef f) { return resolve(f); });
    const FieldDef& f = m_shared->fields[i];
    if (f.type == 'M') {
        const quint32 block = m_shared->memo.isOpen() ? m_shared->memo.write(m_shared->codePage->encode(value)) : 0;
        writeField(i, memoPointer(*m_shared, f, block));
        return;
    }
    storeText(*m_shared, i, m_buffer.data(), value);
    fieldSet(i);
}

void Table::setRawText(FieldRef field, const QString& value)
{
    requireWritable();
    const int i = beginSet(*this, field, [this](FieldRef f) { return resolve(f); });
    writeField(i, m_shared->codePage->encode(value));
}

void Table::setRawBytes(FieldRef field, const QByteArray& bytes)
{
    requireWritable();
    const int i = beginSet(*this, field, [this](FieldRef f) { return resolve(f); });
    writeField(i, bytes);
}

void Table::setDouble(FieldRef field, double value)
{
    requireWritable();
    const int i = beginSet(*this, field, [this](FieldRef f) { return resolve(f); });
    const FieldDef& f = m_shared->fields[i];
    switch (f.type) {
    case 'N':
    case 'F': {
        QByteArray out(f.width, ' ');
        if (!detail::formatNumber(value, f.width, f.decimals, out.data()))
            m_shared->fail(QStringLiteral("the value %1 does not fit field %2 (%3)")
                               .arg(QString::number(value, 'f', f.decimals), f.name, detail::fieldTypeName(f)));
        writeField(i, out);
        return;
    }
    case 'L':
        writeField(i, value != 0 ? "T" : "F");
        return;
    default:
        setText(field, QString::number(value, 'g', 15));
        return;
    }
}

void Table::setInt(FieldRef field, qint64 value)
{
    requireWritable();
    const int i = resolve(field);
    const FieldDef& f = m_shared->fields[i];
    if (f.type == 'N' || f.type == 'F' || f.type == 'L') {
        setDouble(field, double(value));
        return;
    }
    setText(field, QString::number(value));
}

void Table::setBool(FieldRef field, bool value)
{
    requireWritable();
    const int i = resolve(field);
    const FieldDef& f = m_shared->fields[i];
    if (f.type == 'N' || f.type == 'F') {
        setDouble(field, value ? 1 : 0);
        return;
    }
    setText(field, value ? QStringLiteral("T") : QStringLiteral("F"));
}

void Table::setDate(FieldRef field, const QDate& value)
{
    requireWritable();
    const int i = beginSet(*this, field, [this](FieldRef f) { return resolve(f); });
    const FieldDef& f = m_shared->fields[i];
    if (f.type == 'D') {
        writeField(i, value.isValid() ? value.toString(QStringLiteral("yyyyMMdd")).toLatin1() : QByteArray());
        return;
    }
    setText(field, value.isValid() ? value.toString(QStringLiteral("MM/dd/yyyy")) : QString());
}

void Table::setBlank(FieldRef field)
{
    requireWritable();
    const int i = beginSet(*this, field, [this](FieldRef f) { return resolve(f); });
    writeField(i, QByteArray());
}

void Table::setDeleted(bool deleted)
{
    requireWritable();
    if (m_state == State::Insert) {
        m_buffer[0] = deleted ? '*' : ' ';
        m_modified = true;
    } else {
        if (m_recNo == 0)
            m_shared->fail(QStringLiteral("there is no current record to delete"));
        m_shared->writeDeleted(m_recNo, deleted);
        m_buffer[0] = deleted ? '*' : ' ';
        m_shared->updateKeys(m_recNo, m_buffer.constData());   // keys may use deleted()
    }
    if (!m_disabled)
        for (const auto& fn : m_events->dataChange.snapshot())
            fn(*this, 0);
}

// ---------------------------------------------------------------------------------------
// Whole-table operations

void Table::pack()
{
    requireWritable();
    requireBrowse("Pack");
    m_shared->packFile();
    m_shared->buildTags();
    sync();
    if (!moveTo(bounds().first, +1)) {
        clearPosition();
        m_eof = m_bof = true;
    }
    afterMove();
}

void Table::zap()
{
    requireWritable();
    requireBrowse("Removing all records");
    m_shared->zapFile();
    m_shared->buildTags();
    sync();
    clearPosition();
    m_eof = m_bof = true;
    afterMove();
}

void Table::flush()
{
    requireOpen();
    if (m_shared->readOnly)
        return;
    m_shared->sync();
    if (m_shared->memo.isOpen())
        m_shared->memo.sync();
}

void Table::rewriteAll()
{
    requireWritable();
    requireBrowse("Rewriting the records");
    TableData& d = *m_shared;
    QByteArray decoded(d.recordLength, Qt::Uninitialized);
    QByteArray all(d.records.size(), Qt::Uninitialized);
    for (quint32 r = 1; r <= d.count; ++r) {
        d.decode(r, decoded.data());
        char* out = all.data() + qsizetype(r - 1) * d.recordLength;
        std::memcpy(out, decoded.constData(), size_t(d.recordLength));
        if (d.writeCallback)
            d.writeCallback(out + 1, d.recordLength - 1);
    }
    // In place, record bytes first; the header count does not change.
    QByteArray stored = all;
    const quint32 n = d.count;
    d.records.truncate(0);
    d.count = 0;
    d.appendStored(stored.constData(), stored.size(), n);
    d.buildTags();
    loadCurrent();
    if (!m_disabled)
        for (const auto& fn : m_events->dataChange.snapshot())
            fn(*this, 0);
}

void Table::copyStructure(const QString& path) const
{
    requireOpen();
    FieldList list = m_shared->fields;
    for (FieldDef& f : list)
        if (f.type != 'C' && f.type != 'N' && f.type != 'D' && f.type != 'L' && f.type != 'M')
            f.type = f.type == 'F' ? 'N' : 'C';
    create(path, list);
}

namespace {

// Copies the records of src (read through srcRead) onto the end of dst, by the given mode.
void appendRecords(TableData& dst, const TableData& src, AppendMode mode, const RecordCallback& srcRead)
{
    if (mode == AppendMode::Raw) {
        if (src.recordLength != dst.recordLength)
            dst.fail(QStringLiteral("%1 has records of %2 bytes, this table %3; they cannot be copied as they are")
                         .arg(QDir::toNativeSeparators(src.path))
                         .arg(src.recordLength)
                         .arg(dst.recordLength));
        dst.appendStored(src.records.constData(), src.records.size(), src.count);
        return;
    }
    // Field map: target index -> source index
    std::vector<int> map(size_t(dst.fields.size()), -1);
    for (int i = 0; i < dst.fields.size(); ++i) {
        if (mode == AppendMode::ByPosition)
            map[size_t(i)] = i < src.fields.size() ? i : -1;
        else
            map[size_t(i)] = src.nameIndex.value(dst.fields[i].name.toLower(), -1);
    }
    const bool sameCodePage = src.codePage == dst.codePage;
    QByteArray in(src.recordLength, Qt::Uninitialized);
    QByteArray out(dst.recordLength, Qt::Uninitialized);
    QByteArray stored;
    stored.reserve(qsizetype(src.count) * dst.recordLength);
    for (quint32 r = 1; r <= src.count; ++r) {
        std::memcpy(in.data(), src.raw(r), size_t(src.recordLength));
        if (srcRead)
            srcRead(in.data() + 1, src.recordLength - 1);
        const SourceView view(&src, in.constData(), r);
        out.fill(' ');
        out[0] = in[0] == '*' ? '*' : ' ';
        for (int i = 0; i < dst.fields.size(); ++i) {
            const int s = map[size_t(i)];
            if (s < 0)
                continue;
            const FieldDef& tf = dst.fields[i];
            const FieldDef& sf = src.fields[s];
            const char* sp = in.constData() + src.offsets[size_t(s)];
            char* tp = out.data() + dst.offsets[size_t(i)];
            if (tf.type == 'M' || sf.type == 'M') {
                const QString text = view.text(s + 1);
                if (tf.type == 'M') {
                    const quint32 block = dst.memo.isOpen() ? dst.memo.write(dst.codePage->encode(text)) : 0;
                    storeBytes(dst, i, out.data(), memoPointer(dst, tf, block));
                } else {
                    storeText(dst, i, out.data(), text);
                }
                continue;
            }
            const bool sameShape = tf.type == sf.type && tf.width == sf.width && tf.decimals == sf.decimals;
            if (sameShape && (sameCodePage || tf.type != 'C')) {
                std::memcpy(tp, sp, size_t(tf.width));   // stored bytes unchanged
            } else if (tf.type == 'C' && sf.type == 'C' && sameCodePage) {
                storeBytes(dst, i, out.data(), QByteArrayView(sp, sf.width));
            } else if (tf.type == 'D' && sf.type == 'D') {
                std::memcpy(tp, sp, 8);
            } else {
                QString value = sf.type == 'C' ? view.text(s + 1) : view.trimmed(s + 1);
                storeText(dst, i, out.data(), value);
            }
        }
        const qsizetype at = stored.size();
        stored.append(out);
        if (dst.writeCallback)
            dst.writeCallback(stored.data() + at + 1, dst.recordLength - 1);
    }
    dst.appendStored(stored.constData(), stored.size(), src.count);
    if (dst.memo.isOpen())
        dst.memo.sync();
}

} // namespace

void Table::appendFrom(const QString& sourcePath, AppendMode mode, RecordCallback sourceRead)
{
    requireWritable();
    requireBrowse("Appending from another table");
    TableData src;
    src.load(sourcePath, true);
    appendRecords(*m_shared, src, mode, sourceRead);
    m_shared->buildTags();
    sync();
}

void Table::appendFrom(const Cursor& source, AppendMode mode)
{
    requireWritable();
    requireBrowse("Appending from another table");
    if (!source.isOpen())
        throw Error(QStringLiteral("The table to append from is not open"));
    const TableData& src = *source.m_shared;
    if (&src == m_shared.get())
        m_shared->fail(QStringLiteral("a table cannot be appended to itself"));
    appendRecords(*m_shared, src, mode, mode == AppendMode::Raw ? RecordCallback() : src.readCallback);
    m_shared->buildTags();
    sync();
}

QByteArray Table::rawRecord(quint32 recNo) const
{
    requireOpen();
    if (recNo < 1 || recNo > m_shared->count)
        m_shared->fail(QStringLiteral("there is no record %1").arg(recNo));
    return QByteArray(m_shared->raw(recNo), m_shared->recordLength);
}

QByteArray Table::rawField(quint32 recNo, int fieldNumber) const
{
    requireOpen();
    if (recNo < 1 || recNo > m_shared->count)
        m_shared->fail(QStringLiteral("there is no record %1").arg(recNo));
    if (fieldNumber < 1 || fieldNumber > m_shared->fields.size())
        m_shared->fail(QStringLiteral("there is no field number %1").arg(fieldNumber));
    const FieldDef& f = m_shared->fields[fieldNumber - 1];
    return QByteArray(m_shared->raw(recNo) + m_shared->offsets[size_t(fieldNumber - 1)], f.width);
}

// ---------------------------------------------------------------------------------------
// Events

bool Table::beforeMove()
{
    if (!m_events)
        return true;
    if (m_state == State::Edit || m_state == State::Insert)
        for (const auto& fn : m_events->updateRecord.snapshot())
            fn(*this);
    for (const auto& fn : m_events->beforeNavigate.snapshot())
        if (!fn(*this))
            return false;
    if (m_state == State::Edit || m_state == State::Insert)
        return post();
    return true;
}

void Table::afterMove()
{
    if (m_disabled > 0) {
        m_movedWhileDisabled = true;
        return;
    }
    for (const auto& fn : m_events->afterScroll.snapshot())
        fn(*this);
    for (const auto& fn : m_events->dataChange.snapshot())
        fn(*this, 0);
}

Table::Connection Table::onBeforePost(std::function<bool(Table&)> handler)
{
    const Connection id = m_events->nextId++;
    m_events->beforePost.items.emplace_back(id, std::move(handler));
    return id;
}

Table::Connection Table::onAfterPost(std::function<void(Table&)> handler)
{
    const Connection id = m_events->nextId++;
    m_events->afterPost.items.emplace_back(id, std::move(handler));
    return id;
}

Table::Connection Table::onAfterScroll(std::function<void(Table&)> handler)
{
    const Connection id = m_events->nextId++;
    m_events->afterScroll.items.emplace_back(id, std::move(handler));
    return id;
}

Table::Connection Table::onStateChange(std::function<void(Table&)> handler)
{
    const Connection id = m_events->nextId++;
    m_events->stateChange.items.emplace_back(id, std::move(handler));
    return id;
}

Table::Connection Table::onBeforeNavigate(std::function<bool(Table&)> handler)
{
    const Connection id = m_events->nextId++;
    m_events->beforeNavigate.items.emplace_back(id, std::move(handler));
    return id;
}

Table::Connection Table::onDataChange(std::function<void(Table&, int)> handler)
{
    const Connection id = m_events->nextId++;
    m_events->dataChange.items.emplace_back(id, std::move(handler));
    return id;
}

Table::Connection Table::onUpdateRecord(std::function<void(Table&)> handler)
{
    const Connection id = m_events->nextId++;
    m_events->updateRecord.items.emplace_back(id, std::move(handler));
    return id;
}

void Table::detach(Connection connection)
{
    Events& e = *m_events;
    e.beforePost.remove(connection) || e.afterPost.remove(connection) || e.afterScroll.remove(connection)
        || e.stateChange.remove(connection) || e.beforeNavigate.remove(connection) || e.dataChange.remove(connection)
        || e.updateRecord.remove(connection);
}

void Table::disableControls()
{
    ++m_disabled;
}

void Table::enableControls()
{
    if (m_disabled == 0)
        return;
    if (--m_disabled == 0 && m_movedWhileDisabled) {
        m_movedWhileDisabled = false;
        if (isOpen())
            afterMove();
    }
}

} // namespace xbase

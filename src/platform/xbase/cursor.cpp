// Cursor movement over the natural order or a tag, with the deleted/filter/range visibility.

#include "platform/xbase/table.h"
#include "platform/xbase/tabledata.h"

#include <cstring>

namespace xbase {

using detail::TableData;
using detail::Tag;

namespace {

// The view a filter gets of a candidate record.
class BufferView : public RecordView
{
public:
    BufferView(const TableData* data, const char* buf, quint32 recNo)
    {
        m_data = data;
        m_buf = buf;
        m_recNo = recNo;
    }
};

bool keyHasPrefix(const char* key, int keyLength, const QByteArray& prefix)
{
    return prefix.size() <= keyLength && std::memcmp(key, prefix.constData(), size_t(prefix.size())) == 0;
}

} // namespace

Cursor::Cursor() = default;
Cursor::Cursor(Cursor&&) noexcept = default;
Cursor::~Cursor() = default;

void Cursor::attach(std::shared_ptr<TableData> data)
{
    m_shared = std::move(data);
    m_data = m_shared.get();
    m_tag = -1;
    m_tagName.clear();
    m_tagVersion = m_shared->tagsVersion;
    m_generation = m_shared->generation;
    m_filter = nullptr;
    m_filterExpr = Expression();
    m_hasRange = false;
    m_showDeleted = true;
    m_buffer = m_shared->blankRecord();
    m_buf = m_buffer.constData();
    clearPosition();
    m_eof = m_bof = true;
}

void Cursor::detachData()
{
    m_shared.reset();
    m_data = nullptr;
    m_buf = nullptr;
    m_buffer.clear();
    m_recNo = 0;
    m_eof = m_bof = true;
    m_tag = -1;
    m_tagName.clear();
    m_filter = nullptr;
    m_filterExpr = Expression();
    m_hasRange = false;
}

void Cursor::checkOpen() const
{
    if (!m_shared || !m_shared->open)
        throw Error(m_shared ? m_shared->fileError(QStringLiteral("the table is closed"))
                             : QStringLiteral("The table is not open"));
}

void Cursor::sync()
{
    checkOpen();
    if (m_generation != m_shared->generation) {
        m_generation = m_shared->generation;
        if (m_recNo > m_shared->count || m_recNo == 0) {
            clearPosition();
            m_eof = true;
        } else {
            loadCurrent();
        }
    }
    if (m_tagVersion != m_shared->tagsVersion) {
        m_tagVersion = m_shared->tagsVersion;
        m_tag = -1;
        for (size_t i = 0; i < m_shared->tags.size(); ++i)
            if (m_shared->tags[i].def.name.compare(m_tagName, Qt::CaseInsensitive) == 0)
                m_tag = int(i);
        if (m_tag < 0) {
            m_tagName.clear();
            m_hasRange = false;
        }
    }
}

const Tag* Cursor::tag() const
{
    if (!m_shared || m_tag < 0 || m_tagName.isEmpty())
        return nullptr;
    if (m_tagVersion == m_shared->tagsVersion)
        return &m_shared->tags[size_t(m_tag)];
    for (const Tag& t : m_shared->tags)
        if (t.def.name.compare(m_tagName, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

void Cursor::clearPosition()
{
    m_recNo = 0;
    if (m_shared) {
        if (m_buffer.size() != m_shared->recordLength)
            m_buffer = m_shared->blankRecord();
        else
            m_buffer.fill(' ');
        m_buf = m_buffer.constData();
    }
}

void Cursor::loadCurrent()
{
    if (m_buffer.size() != m_shared->recordLength)
        m_buffer = m_shared->blankRecord();
    if (m_recNo > 0 && m_recNo <= m_shared->count)
        m_shared->decode(m_recNo, m_buffer.data());
    else
        m_buffer.fill(' ');
    m_buf = m_buffer.constData();
}

void Cursor::setPosition(quint32 recNo)
{
    m_recNo = recNo;
    m_eof = m_bof = false;
    loadCurrent();
}

qint64 Cursor::orderSize() const
{
    return m_shared ? qint64(m_shared->count) : 0;
}

quint32 Cursor::recAt(qint64 pos) const
{
    const Tag* t = tag();
    if (!t)
        return quint32(pos + 1);
    const qint64 n = qint64(t->order.size());
    return t->def.descending ? t->order[size_t(n - 1 - pos)] : t->order[size_t(pos)];
}

qint64 Cursor::posOf(quint32 recNo) const
{
    const Tag* t = tag();
    if (!t)
        return qint64(recNo) - 1;
    const qsizetype idx = t->indexOf(recNo);
    if (idx < 0)
        return 0;
    return t->def.descending ? qint64(t->order.size()) - 1 - idx : idx;
}

std::pair<qint64, qint64> Cursor::bounds() const
{
    const qint64 n = orderSize();
    const Tag* t = tag();
    if (!t || !m_hasRange)
        return {0, n};
    const qint64 lo = t->lowerBound(m_rangeLow);
    const qint64 hi = std::max<qint64>(lo, t->upperBound(m_rangeHigh));
    if (!t->def.descending)
        return {lo, hi};
    return {n - hi, n - lo};
}

bool Cursor::visible(quint32 recNo) const
{
    if (!m_showDeleted && m_shared->rawDeleted(recNo))
        return false;
    if (m_hasRange) {
        const Tag* t = tag();
        if (t) {
            const char* k = t->key(recNo);
            const auto cmp = [&](const QByteArray& bound) {
                const int n = std::min<int>(t->keyLength, int(bound.size()));
                return std::memcmp(k, bound.constData(), size_t(n));
            };
            if (cmp(m_rangeLow) < 0 || cmp(m_rangeHigh) > 0)
                return false;
        }
    }
    if (!m_filter && m_filterExpr.isNull())
        return true;
    m_scratch.resize(m_shared->recordLength);
    m_shared->decode(recNo, m_scratch.data());
    const BufferView view(m_shared.get(), m_scratch.constData(), recNo);
    if (!m_filterExpr.isNull())
        return m_filterExpr.evaluateLogical(view);
    return m_filter(view);
}

bool Cursor::moveTo(qint64 pos, int direction)
{
    const auto [lo, hi] = bounds();
    if (pos < lo) {
        if (direction < 0)
            return false;
        pos = lo;
    }
    if (pos >= hi) {
        if (direction > 0)
            return false;
        pos = hi - 1;
    }
    for (; pos >= lo && pos < hi; pos += direction) {
        const quint32 rec = recAt(pos);
        if (visible(rec)) {
            setPosition(rec);
            return true;
        }
    }
    return false;
}

bool Cursor::isOpen() const
{
    return m_shared && m_shared->open;
}

QString Cursor::path() const
{
    return m_shared ? m_shared->path : QString();
}

quint32 Cursor::recordCount() const
{
    return isOpen() ? m_shared->count : 0;
}

void Cursor::setCurrentTag(const QString& name)
{
    sync();
    m_hasRange = false;
    if (name.trimmed().isEmpty()) {
        m_tag = -1;
        m_tagName.clear();
        return;
    }
    for (size_t i = 0; i < m_shared->tags.size(); ++i) {
        if (m_shared->tags[i].def.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
            m_tag = int(i);
            m_tagName = m_shared->tags[i].def.name;
            return;
        }
    }
    m_shared->fail(QStringLiteral("there is no index tag \"%1\"").arg(name));
}

QString Cursor::currentTag() const
{
    const Tag* t = tag();
    return t ? t->def.name : QString();
}

QStringList Cursor::tagNames() const
{
    QStringList names;
    if (m_shared)
        for (const Tag& t : m_shared->tags)
            names << t.def.name;
    return names;
}

TagList Cursor::tags() const
{
    TagList list;
    if (m_shared)
        for (const Tag& t : m_shared->tags)
            list << t.def;
    return list;
}

int Cursor::keyLength() const
{
    const Tag* t = tag();
    return t ? t->keyLength : 0;
}

QByteArray Cursor::currentKey() const
{
    const Tag* t = tag();
    if (!t || m_recNo == 0 || m_recNo > m_shared->count)
        return {};
    return QByteArray(t->key(m_recNo), t->keyLength);
}

bool Cursor::first()
{
    sync();
    if (!beforeMove())
        return false;
    if (!moveTo(bounds().first, +1)) {
        clearPosition();
        m_eof = m_bof = true;
    }
    afterMove();
    return true;
}

bool Cursor::last()
{
    sync();
    if (!beforeMove())
        return false;
    if (!moveTo(bounds().second - 1, -1)) {
        clearPosition();
        m_eof = m_bof = true;
    }
    afterMove();
    return true;
}

bool Cursor::next()
{
    sync();
    if (!beforeMove())
        return false;
    if (m_recNo != 0) {
        if (!moveTo(posOf(m_recNo) + 1, +1)) {
            clearPosition();
            m_eof = true;
        }
        m_bof = false;
    }
    afterMove();
    return true;
}

bool Cursor::prior()
{
    sync();
    if (!beforeMove())
        return false;
    if (m_recNo == 0) {
        if (m_eof && !moveTo(bounds().second - 1, -1)) {
            clearPosition();
            m_eof = m_bof = true;
        }
    } else if (!moveTo(posOf(m_recNo) - 1, -1)) {
        m_bof = true;
    } else {
        m_eof = false;
    }
    afterMove();
    return true;
}

bool Cursor::skip(qint64 count)
{
    for (; count > 0 && !m_eof; --count)
        if (!next())
            return false;
    for (; count < 0 && !m_bof; ++count)
        if (!prior())
            return false;
    return true;
}

bool Cursor::go(quint32 recNo)
{
    sync();
    if (recNo < 1 || recNo > m_shared->count)
        return false;
    if (!beforeMove())
        return false;
    setPosition(recNo);
    afterMove();
    return true;
}

void Cursor::refresh()
{
    sync();
    if (!beforeMove())
        return;
    if (m_recNo > m_shared->count)
        clearPosition();
    else
        loadCurrent();
    afterMove();
}

bool Cursor::seek(const QString& value, SeekMode mode)
{
    sync();
    const Tag* t = tag();
    if (!t)
        m_shared->fail(QStringLiteral("seek needs an index tag, but the table is in record order"));
    return seekKey(t->expr.seekKey(value), mode);
}

bool Cursor::seekKey(const QByteArray& keyBytes, SeekMode mode)
{
    sync();
    const Tag* t = tag();
    if (!t)
        m_shared->fail(QStringLiteral("seek needs an index tag, but the table is in record order"));
    if (!beforeMove())
        return false;
    t = tag();   // an auto-post may have changed the keys, never the tag
    QByteArray key = keyBytes;
    bool possible = true;
    if (mode == SeekMode::Exact) {
        if (key.size() < t->keyLength) {
            key.append(t->keyLength - key.size(), ' ');
        } else if (key.size() > t->keyLength) {
            possible = key.mid(t->keyLength).trimmed().isEmpty() && key.mid(t->keyLength).count(' ') == key.size() - t->keyLength;
            key.truncate(t->keyLength);
        }
    }
    m_found = false;
    bool positioned = false;
    if (possible) {
        const qint64 n = orderSize();
        const qint64 lo = t->lowerBound(key);
        const qint64 hi = t->upperBound(key);
        qint64 pos = t->def.descending ? n - hi : lo;
        const auto [blo, bhi] = bounds();
        pos = std::max(pos, blo);
        for (; pos < bhi; ++pos) {
            const quint32 rec = recAt(pos);
            const bool match = keyHasPrefix(t->key(rec), t->keyLength, key);
            if (!match && mode != SeekMode::Soft)
                break;
            if (visible(rec)) {
                setPosition(rec);
                positioned = true;
                m_found = match;
                break;
            }
        }
    }
    if (!positioned) {
        clearPosition();
        m_eof = true;
        m_bof = false;
    }
    afterMove();
    return m_found;
}

void Cursor::setShowDeleted(bool show)
{
    m_showDeleted = show;
}

void Cursor::setFilter(RecordFilter filter)
{
    m_filter = std::move(filter);
    m_filterExpr = Expression();
}

void Cursor::setFilter(const QString& expression)
{
    checkOpen();
    Expression e = Expression::compile(expression, m_shared->fields, *m_shared->codePage);
    if (e.type() != Expression::Type::Logical)
        m_shared->fail(QStringLiteral("the filter \"%1\" is not a condition").arg(expression));
    m_filterExpr = std::move(e);
    m_filter = nullptr;
}

void Cursor::clearFilter()
{
    m_filter = nullptr;
    m_filterExpr = Expression();
}

bool Cursor::hasFilter() const
{
    return m_filter || !m_filterExpr.isNull();
}

void Cursor::setRange(const QString& prefix)
{
    setRange(prefix, prefix);
}

void Cursor::setRange(const QString& low, const QString& high)
{
    sync();
    const Tag* t = tag();
    if (!t)
        m_shared->fail(QStringLiteral("a range needs an index tag, but the table is in record order"));
    m_rangeLow = t->expr.seekKey(low);
    m_rangeHigh = t->expr.seekKey(high);
    m_hasRange = true;
}

void Cursor::clearRange()
{
    m_hasRange = false;
}

bool Cursor::hasRange() const
{
    return m_hasRange;
}

bool Cursor::isVisible() const
{
    return isOpen() && m_recNo > 0 && m_recNo <= m_shared->count && visible(m_recNo);
}

std::vector<quint32> Cursor::visibleRecords() const
{
    std::vector<quint32> records;
    if (!isOpen())
        return records;
    const auto [lo, hi] = bounds();
    records.reserve(size_t(hi - lo));
    for (qint64 pos = lo; pos < hi; ++pos) {
        const quint32 rec = recAt(pos);
        if (visible(rec))
            records.push_back(rec);
    }
    return records;
}

quint32 Cursor::neighbour(int direction) const
{
    if (!isOpen())
        return 0;
    const int step = direction > 0 ? 1 : -1;
    const auto [lo, hi] = bounds();
    qint64 pos = 0;
    if (m_recNo == 0 || m_recNo > m_shared->count) {
        if (step > 0 || !m_eof)
            return 0;
        pos = hi - 1;
    } else {
        pos = posOf(m_recNo) + step;
    }
    if (pos < lo) {
        if (step < 0)
            return 0;
        pos = lo;
    }
    if (pos >= hi) {
        if (step > 0)
            return 0;
        pos = hi - 1;
    }
    for (; pos >= lo && pos < hi; pos += step) {
        const quint32 rec = recAt(pos);
        if (visible(rec))
            return rec;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------

ScanCursor::ScanCursor(std::shared_ptr<TableData> data)
{
    attach(std::move(data));
    first();
}

ScanCursor::ScanCursor(ScanCursor&&) noexcept = default;
ScanCursor::~ScanCursor() = default;

} // namespace xbase

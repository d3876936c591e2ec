// In-memory index tags: the keys of every record side by side, and the record numbers sorted
// by (key bytes, record number). Descending tags are read backwards.

#include "platform/xbase/tabledata.h"

#include <algorithm>
#include <cstring>

namespace xbase::detail {

namespace {

int comparePrefix(const char* key, int keyLength, const QByteArray& prefix)
{
    const int n = std::min<int>(keyLength, int(prefix.size()));
    const int c = std::memcmp(key, prefix.constData(), size_t(n));
    if (c != 0)
        return c;
    return prefix.size() > keyLength ? -1 : 0;
}

quint64 leadingBytes(const char* key, int keyLength)
{
    quint64 v = 0;
    for (int i = 0; i < 8; ++i)
        v = (v << 8) | (i < keyLength ? static_cast<unsigned char>(key[i]) : 0u);
    return v;
}

} // namespace

bool Tag::less(const char* keyA, quint32 recA, const char* keyB, quint32 recB) const
{
    const int c = std::memcmp(keyA, keyB, size_t(keyLength));
    return c != 0 ? c < 0 : recA < recB;
}

qsizetype Tag::indexOf(quint32 recNo) const
{
    const char* k = key(recNo);
    const auto it = std::lower_bound(order.begin(), order.end(), recNo, [&](quint32 a, quint32 rec) {
        return less(key(a), a, k, rec);
    });
    if (it == order.end() || *it != recNo)
        return -1;
    return it - order.begin();
}

qsizetype Tag::lowerBound(const QByteArray& prefix) const
{
    const auto it = std::lower_bound(order.begin(), order.end(), 0, [&](quint32 a, int) {
        return comparePrefix(key(a), keyLength, prefix) < 0;
    });
    return it - order.begin();
}

qsizetype Tag::upperBound(const QByteArray& prefix) const
{
    const auto it = std::upper_bound(order.begin(), order.end(), 0, [&](int, quint32 a) {
        return comparePrefix(key(a), keyLength, prefix) > 0;
    });
    return it - order.begin();
}

void TableData::buildTag(Tag& tag) const
{
    tag.keyLength = tag.expr.width();
    tag.keys.clear();
    tag.keys.reserve(qsizetype(count) * tag.keyLength);
    QByteArray decoded(recordLength, Qt::Uninitialized);
    for (quint32 r = 1; r <= count; ++r) {
        const char* buf = raw(r);
        if (readCallback) {
            decode(r, decoded.data());
            buf = decoded.constData();
        }
        tag.expr.appendKey(buf, r, tag.keys);
    }
    // Sort on the first eight key bytes as one number, then the rest of the key.
    struct Entry
    {
        quint64 lead;
        quint32 rec;
    };
    std::vector<Entry> entries(count);
    for (quint32 r = 1; r <= count; ++r)
        entries[r - 1] = Entry{leadingBytes(tag.key(r), tag.keyLength), r};
    const int rest = std::max(0, tag.keyLength - 8);
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.lead != b.lead)
            return a.lead < b.lead;
        if (rest > 0) {
            const int c = std::memcmp(tag.key(a.rec) + 8, tag.key(b.rec) + 8, size_t(rest));
            if (c != 0)
                return c < 0;
        }
        return a.rec < b.rec;
    });
    tag.order.resize(count);
    for (quint32 i = 0; i < count; ++i)
        tag.order[i] = entries[i].rec;
}

void TableData::buildTags()
{
    for (Tag& t : tags)
        buildTag(t);
}

void TableData::updateKeys(quint32 recNo, const char* decoded)
{
    QByteArray fresh;
    for (Tag& t : tags) {
        fresh.clear();
        t.expr.appendKey(decoded, recNo, fresh);
        if (std::memcmp(fresh.constData(), t.key(recNo), size_t(t.keyLength)) == 0)
            continue;
        const qsizetype old = t.indexOf(recNo);
        if (old >= 0)
            t.order.erase(t.order.begin() + old);
        std::memcpy(t.keys.data() + qsizetype(recNo - 1) * t.keyLength, fresh.constData(), size_t(t.keyLength));
        const char* k = t.key(recNo);
        const auto it = std::lower_bound(t.order.begin(), t.order.end(), recNo, [&](quint32 a, quint32 rec) {
            return t.less(t.key(a), a, k, rec);
        });
        t.order.insert(it, recNo);
    }
}

void TableData::appendKeys(quint32 recNo, const char* decoded)
{
    for (Tag& t : tags) {
        t.expr.appendKey(decoded, recNo, t.keys);
        const char* k = t.key(recNo);
        const auto it = std::lower_bound(t.order.begin(), t.order.end(), recNo, [&](quint32 a, quint32 rec) {
            return t.less(t.key(a), a, k, rec);
        });
        t.order.insert(it, recNo);
    }
}

} // namespace xbase::detail

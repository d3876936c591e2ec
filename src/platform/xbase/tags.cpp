// In-memory index tags: the keys of every record side by side, and the record numbers sorted
// by (key bytes, record number). Descending tags are read backwards.

#include "platform/xbase/tabledata.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <utility>

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
    if (keyLength >= 8)
        return qFromBigEndian<quint64>(key);
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

namespace {

// Tags are sorted by (key, record number) on the key's bytes eight at a time: by the first
// eight as one number, then each run that still ties by the next eight, and so on. Comparing
// whole keys instead repeats the long equal beginnings of keys such as state + city + name.
struct Entry
{
    quint64 lead;   // the eight key bytes being sorted on
    quint32 rec;
};

// Stable sort of n entries by lead: least significant byte first, a counting pass per byte;
// bytes that all entries share are skipped. tmp has room for n entries.
void radixSort(Entry* a, Entry* tmp, size_t n)
{
    size_t counts[8][256] = {};
    for (size_t i = 0; i < n; ++i)
        for (int b = 0; b < 8; ++b)
            ++counts[b][(a[i].lead >> (8 * b)) & 0xFF];
    Entry* src = a;
    Entry* dst = tmp;
    for (int b = 0; b < 8; ++b) {
        if (counts[b][(a[0].lead >> (8 * b)) & 0xFF] == n)
            continue;
        size_t at = 0;
        for (size_t& c : counts[b])
            at += std::exchange(c, at);
        for (size_t i = 0; i < n; ++i)
            dst[counts[b][(src[i].lead >> (8 * b)) & 0xFF]++] = src[i];
        std::swap(src, dst);
    }
    if (src != a)
        std::memcpy(a, src, n * sizeof(Entry));
}

// Sorts [begin, end), which is in record order and whose keys agree before byte `from`.
void sortEntries(const Tag& tag, Entry* begin, Entry* end, Entry* tmp, int from)
{
    for (Entry* e = begin; e != end; ++e)
        e->lead = leadingBytes(tag.key(e->rec) + from, tag.keyLength - from);
    const size_t n = size_t(end - begin);
    if (n < 256) {
        std::sort(begin, end, [](const Entry& a, const Entry& b) {
            return a.lead != b.lead ? a.lead < b.lead : a.rec < b.rec;
        });
    } else {
        radixSort(begin, tmp, n);   // stable: equal leads stay in record order
    }
    if (from + 8 >= tag.keyLength)
        return;   // the whole key has been compared
    for (Entry* run = begin; run != end;) {
        Entry* next = run + 1;
        while (next != end && next->lead == run->lead)
            ++next;
        if (next - run > 1)
            sortEntries(tag, run, next, tmp, from + 8);
        run = next;
    }
}

// scratch is reused from tag to tag: fresh memory costs a page fault per page.
void sortTag(Tag& tag, quint32 count, LargeBuffer& scratch)
{
    scratch.resize(qsizetype(count) * 2 * qsizetype(sizeof(Entry)));
    Entry* entries = reinterpret_cast<Entry*>(scratch.data());
    Entry* tmp = entries + count;
    for (quint32 r = 1; r <= count; ++r)
        entries[r - 1].rec = r;
    sortEntries(tag, entries, entries + count, tmp, 0);
    tag.order.resize(count);
    for (quint32 i = 0; i < count; ++i)
        tag.order[i] = entries[i].rec;
}

} // namespace

void TableData::buildTags(std::vector<Tag>& list) const
{
    for (Tag& t : list) {
        t.keyLength = t.expr.width();
        t.keys.resize(qsizetype(count) * t.keyLength);
    }
    // One pass over the records for all tags, so each record is read (and run through the
    // read callback) once however many tags there are.
    QByteArray decoded(recordLength, Qt::Uninitialized);
    for (quint32 r = 1; r <= count; ++r) {
        const char* buf = raw(r);
        if (readCallback) {
            decode(r, decoded.data());
            buf = decoded.constData();
        }
        for (Tag& t : list)
            t.expr.writeKey(buf, r, t.keys.data() + qsizetype(r - 1) * t.keyLength);
    }
    LargeBuffer scratch;
    for (Tag& t : list)
        sortTag(t, count, scratch);
}

void TableData::buildTags()
{
    buildTags(tags);
}

void TableData::updateKeys(quint32 recNo, const char* decoded)
{
    QByteArray fresh;
    for (Tag& t : tags) {
        fresh.resize(t.keyLength);
        t.expr.writeKey(decoded, recNo, fresh.data());
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
        t.keys.resize(qsizetype(recNo) * t.keyLength);
        t.expr.writeKey(decoded, recNo, t.keys.data() + qsizetype(recNo - 1) * t.keyLength);
        const char* k = t.key(recNo);
        const auto it = std::lower_bound(t.order.begin(), t.order.end(), recNo, [&](quint32 a, quint32 rec) {
            return t.less(t.key(a), a, k, rec);
        });
        t.order.insert(it, recNo);
    }
}

} // namespace xbase::detail

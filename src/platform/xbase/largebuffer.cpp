#include "platform/xbase/largebuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace xbase::detail {

namespace {

constexpr qsizetype kHugePage = qsizetype(2) << 20;
constexpr qsizetype kHugeFrom = qsizetype(1) << 20;

// Large buffers are mapped directly, aligned to a huge page and handed back to the system
// when freed, so closing a large table returns its memory.
bool isMapped(qsizetype capacity)
{
    return capacity >= kHugeFrom;
}

char* allocate(qsizetype& capacity)
{
    if (isMapped(capacity)) {
        capacity = (capacity + kHugePage - 1) / kHugePage * kHugePage;
        const size_t span = size_t(capacity + kHugePage);
        void* p = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        // Keep the aligned part only.
        const auto start = reinterpret_cast<quintptr>(p);
        const quintptr aligned = (start + quintptr(kHugePage) - 1) & ~quintptr(kHugePage - 1);
        if (aligned > start)
            ::munmap(p, aligned - start);
        const quintptr end = aligned + quintptr(capacity);
        if (start + span > end)
            ::munmap(reinterpret_cast<void*>(end), start + span - end);
        ::madvise(reinterpret_cast<void*>(aligned), size_t(capacity), MADV_HUGEPAGE);   // a hint only
        return reinterpret_cast<char*>(aligned);
    }
    void* p = std::malloc(size_t(std::max<qsizetype>(capacity, 1)));
    if (!p)
        throw std::bad_alloc();
    return static_cast<char*>(p);
}

void deallocate(char* data, qsizetype capacity)
{
    if (!data)
        return;
    if (isMapped(capacity))
        ::munmap(data, size_t(capacity));
    else
        std::free(data);
}

} // namespace

LargeBuffer::LargeBuffer(const LargeBuffer& other)
{
    append(other.m_data, other.m_size);
}

LargeBuffer& LargeBuffer::operator=(const LargeBuffer& other)
{
    if (this != &other) {
        m_size = 0;
        append(other.m_data, other.m_size);
    }
    return *this;
}

LargeBuffer::LargeBuffer(LargeBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_capacity(std::exchange(other.m_capacity, 0))
{
}

LargeBuffer& LargeBuffer::operator=(LargeBuffer&& other) noexcept
{
    if (this != &other) {
        deallocate(m_data, m_capacity);
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
    }
    return *this;
}

LargeBuffer::~LargeBuffer()
{
    deallocate(m_data, m_capacity);
}

void LargeBuffer::reallocate(qsizetype capacity)
{
    char* fresh = allocate(capacity);
    if (m_size > 0)
        std::memcpy(fresh, m_data, size_t(m_size));
    deallocate(m_data, m_capacity);
    m_data = fresh;
    m_capacity = capacity;
}

void LargeBuffer::reserve(qsizetype capacity)
{
    if (capacity > m_capacity)
        reallocate(capacity);
}

void LargeBuffer::resize(qsizetype size)
{
    if (size > m_capacity)
        reallocate(size);
    m_size = size;
}

void LargeBuffer::append(const char* bytes, qsizetype n)
{
    if (n <= 0)
        return;
    if (m_size + n > m_capacity) {
        // The source may be part of this buffer, which is about to move.
        const bool inside = m_data && bytes >= m_data && bytes < m_data + m_size;
        const qsizetype at = inside ? bytes - m_data : 0;
        reallocate(std::max(m_size + n, m_capacity + m_capacity / 2));
        if (inside)
            bytes = m_data + at;
    }
    std::memmove(m_data + m_size, bytes, size_t(n));
    m_size += n;
}

void LargeBuffer::truncate(qsizetype size)
{
    if (size < m_size)
        m_size = std::max<qsizetype>(size, 0);
}

void LargeBuffer::release()
{
    deallocate(m_data, m_capacity);
    m_data = nullptr;
    m_size = m_capacity = 0;
}

} // namespace xbase::detail

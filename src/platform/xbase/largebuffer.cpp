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

char* allocate(qsizetype& capacity)
{
    if (capacity >= kHugeFrom) {
        capacity = (capacity + kHugePage - 1) / kHugePage * kHugePage;
        void* p = std::aligned_alloc(size_t(kHugePage), size_t(capacity));
        if (!p)
            throw std::bad_alloc();
        ::madvise(p, size_t(capacity), MADV_HUGEPAGE);   // only a hint; fine if refused
        return static_cast<char*>(p);
    }
    void* p = std::malloc(size_t(std::max<qsizetype>(capacity, 1)));
    if (!p)
        throw std::bad_alloc();
    return static_cast<char*>(p);
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
        std::free(m_data);
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
    }
    return *this;
}

LargeBuffer::~LargeBuffer()
{
    std::free(m_data);
}

void LargeBuffer::reallocate(qsizetype capacity)
{
    char* fresh = allocate(capacity);
    if (m_size > 0)
        std::memcpy(fresh, m_data, size_t(m_size));
    std::free(m_data);
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
    std::free(m_data);
    m_data = nullptr;
    m_size = m_capacity = 0;
}

} // namespace xbase::detail

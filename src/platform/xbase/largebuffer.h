#pragma once

// Internal to the table layer: a growable byte buffer for the records of a table and the keys
// of its tags. Buffers of a megabyte and more ask for transparent huge pages: loading tens of
// megabytes into 4 KB pages costs a page fault (and, in a virtual machine, a costly TLB miss)
// every 4 KB, which otherwise takes most of the time of opening a large table.

#include <QtGlobal>

namespace xbase::detail {

class LargeBuffer
{
public:
    LargeBuffer() = default;
    LargeBuffer(const LargeBuffer& other);
    LargeBuffer& operator=(const LargeBuffer& other);
    LargeBuffer(LargeBuffer&& other) noexcept;
    LargeBuffer& operator=(LargeBuffer&& other) noexcept;
    ~LargeBuffer();

    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    const char* constData() const { return m_data; }
    char* data() { return m_data; }

    void reserve(qsizetype capacity);
    void resize(qsizetype size);       // keeps the bytes in front; new bytes are uninitialised
    void append(const char* bytes, qsizetype n);   // bytes may lie in this buffer
    void truncate(qsizetype size);
    void clear() { m_size = 0; }       // keeps the memory
    void release();                    // gives the memory back

private:
    void reallocate(qsizetype capacity);
    char* m_data = nullptr;
    qsizetype m_size = 0;
    qsizetype m_capacity = 0;
};

} // namespace xbase::detail

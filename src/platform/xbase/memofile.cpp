// Memo files: dBASE III (.dbt, 512-byte blocks, text ended by 0x1A 0x1A), dBASE IV (.dbt,
// blocks starting FF FF 08 00 and a length) and FoxPro (.fpt, big-endian block headers).

#include "platform/xbase/tabledata.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace xbase::detail {

namespace {

constexpr quint32 kMaxMemo = 64 * 1024 * 1024;

quint32 le32(const char* p)
{
    return quint32(static_cast<unsigned char>(p[0])) | (quint32(static_cast<unsigned char>(p[1])) << 8)
        | (quint32(static_cast<unsigned char>(p[2])) << 16) | (quint32(static_cast<unsigned char>(p[3])) << 24);
}

quint32 be32(const char* p)
{
    return (quint32(static_cast<unsigned char>(p[0])) << 24) | (quint32(static_cast<unsigned char>(p[1])) << 16)
        | (quint32(static_cast<unsigned char>(p[2])) << 8) | quint32(static_cast<unsigned char>(p[3]));
}

void putLe32(char* p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

[[noreturn]] void memoFail(const QString& path, const QString& what)
{
    throw Error(QDir::toNativeSeparators(path) + QLatin1String(": ") + what);
}

void writeAll(const QString& path, int fd, const char* data, qsizetype size, qint64 offset)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size_t(size), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            memoFail(path, QStringLiteral("cannot write the memo file (%1)").arg(QString::fromLocal8Bit(std::strerror(errno))));
        data += n;
        size -= n;
        offset += n;
    }
}

} // namespace

MemoFile::~MemoFile()
{
    close();
}

void MemoFile::create(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        memoFail(path, QStringLiteral("cannot create the memo file (%1)").arg(f.errorString()));
    QByteArray head(512, '\0');
    putLe32(head.data(), 1);
    head[16] = 0x03;
    if (f.write(head) != head.size() || !f.flush())
        memoFail(path, QStringLiteral("cannot write the memo file"));
    ::fsync(f.handle());
}

void MemoFile::open(const QString& path, Kind kind, bool readOnly)
{
    close();
    m_path = path;
    m_kind = kind;
    m_readOnly = readOnly;
    m_fd = ::open(QFile::encodeName(path).constData(), (readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC);
    if (m_fd < 0)
        memoFail(path, QStringLiteral("cannot open the memo file (%1)").arg(QString::fromLocal8Bit(std::strerror(errno))));
    char head[32] = {};
    if (::pread(m_fd, head, sizeof head, 0) < 8)
        memoFail(path, QStringLiteral("the memo file is too short"));
    switch (kind) {
    case Kind::DbaseIII:
        m_blockSize = 512;
        m_nextFree = le32(head);
        break;
    case Kind::DbaseIV: {
        m_nextFree = le32(head);
        const quint32 size = quint32(static_cast<unsigned char>(head[20])) | (quint32(static_cast<unsigned char>(head[21])) << 8);
        m_blockSize = size >= 32 ? size : 512;
        break;
    }
    case Kind::FoxPro: {
        m_nextFree = be32(head);
        const quint32 size = (quint32(static_cast<unsigned char>(head[6])) << 8) | quint32(static_cast<unsigned char>(head[7]));
        m_blockSize = size > 0 ? size : 64;
        break;
    }
    }
    struct stat st {};
    ::fstat(m_fd, &st);
    const quint32 blocksInFile = quint32((st.st_size + m_blockSize - 1) / m_blockSize);
    // A damaged "next free" must never make us write over existing memos.
    if (m_nextFree < 1 || m_nextFree < blocksInFile)
        m_nextFree = std::max<quint32>(1, blocksInFile);
}

void MemoFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

QByteArray MemoFile::read(quint32 block) const
{
    if (block == 0)
        return {};
    struct stat st {};
    ::fstat(m_fd, &st);
    const qint64 start = qint64(block) * m_blockSize;
    if (start >= st.st_size)
        memoFail(m_path, QStringLiteral("memo block %1 lies beyond the end of the memo file").arg(block));
    const qint64 avail = std::min<qint64>(st.st_size - start, kMaxMemo);

    if (m_kind == Kind::FoxPro || m_kind == Kind::DbaseIV) {
        char h[8];
        if (::pread(m_fd, h, 8, start) != 8)
            memoFail(m_path, QStringLiteral("memo block %1 is damaged").arg(block));
        const bool ivHeader = static_cast<unsigned char>(h[0]) == 0xFF && static_cast<unsigned char>(h[1]) == 0xFF
            && h[2] == 0x08 && h[3] == 0x00;
        qint64 length = -1;
        if (m_kind == Kind::FoxPro)
            length = be32(h + 4);
        else if (ivHeader)
            length = qint64(le32(h + 4)) - 8;
        if (length >= 0) {
            if (length > avail - 8)
                memoFail(m_path, QStringLiteral("memo block %1 claims more text than the file holds").arg(block));
            QByteArray out(length, Qt::Uninitialized);
            if (::pread(m_fd, out.data(), size_t(length), start + 8) != length)
                memoFail(m_path, QStringLiteral("memo block %1 is damaged").arg(block));
            return out;
        }
    }
    // dBASE III: text up to the end mark.
    QByteArray out;
    qint64 pos = start;
    char chunk[512];
    while (pos < start + avail) {
        const qint64 want = std::min<qint64>(sizeof chunk, start + avail - pos);
        const ssize_t n = ::pread(m_fd, chunk, size_t(want), pos);
        if (n <= 0)
            break;
        const void* end = std::memchr(chunk, 0x1A, size_t(n));
        if (end) {
            out.append(chunk, static_cast<const char*>(end) - chunk);
            return out;
        }
        out.append(chunk, n);
        pos += n;
    }
    return out;
}

quint32 MemoFile::write(const QByteArray& text)
{
    if (m_readOnly)
        memoFail(m_path, QStringLiteral("the memo file is open for reading only"));
    if (text.isEmpty())
        return 0;
    QByteArray data;
    switch (m_kind) {
    case Kind::DbaseIII:
        data = text;
        data.append("\x1A\x1A", 2);
        break;
    case Kind::DbaseIV: {
        data = QByteArray("\xFF\xFF\x08\x00", 4);
        char len[4];
        putLe32(len, quint32(text.size() + 8));
        data.append(len, 4);
        data.append(text);
        break;
    }
    case Kind::FoxPro: {
        data = QByteArray("\x00\x00\x00\x01", 4);
        const quint32 n = quint32(text.size());
        const char len[4] = {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
        data.append(len, 4);
        data.append(text);
        break;
    }
    }
    const quint32 blocks = quint32((data.size() + m_blockSize - 1) / m_blockSize);
    data.append(QByteArray(qsizetype(blocks) * m_blockSize - data.size(), '\0'));
    const quint32 first = m_nextFree;
    writeAll(m_path, m_fd, data.constData(), data.size(), qint64(first) * m_blockSize);
    m_nextFree = first + blocks;
    char head[4];
    if (m_kind == Kind::FoxPro) {
        head[0] = char(m_nextFree >> 24);
        head[1] = char(m_nextFree >> 16);
        head[2] = char(m_nextFree >> 8);
        head[3] = char(m_nextFree);
    } else {
        putLe32(head, m_nextFree);
    }
    writeAll(m_path, m_fd, head, 4, 0);
    return first;
}

void MemoFile::reset()
{
    if (m_readOnly)
        memoFail(m_path, QStringLiteral("the memo file is open for reading only"));
    const quint32 headerBlocks = m_kind == Kind::FoxPro ? (512 + m_blockSize - 1) / m_blockSize : 1;
    if (::ftruncate(m_fd, qint64(headerBlocks) * m_blockSize) != 0)
        memoFail(m_path, QStringLiteral("cannot empty the memo file"));
    m_nextFree = headerBlocks;
    char head[4];
    if (m_kind == Kind::FoxPro) {
        head[0] = char(m_nextFree >> 24);
        head[1] = char(m_nextFree >> 16);
        head[2] = char(m_nextFree >> 8);
        head[3] = char(m_nextFree);
    } else {
        putLe32(head, m_nextFree);
    }
    writeAll(m_path, m_fd, head, 4, 0);
    sync();
}

void MemoFile::sync()
{
    if (m_fd >= 0)
        ::fdatasync(m_fd);
}

} // namespace xbase::detail

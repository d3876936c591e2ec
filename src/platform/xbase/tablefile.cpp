// Reading and writing the .dbf file itself. Writes go record first, header second, so a
// process killed between the two leaves a file whose header still describes whole records.

#include "platform/xbase/tabledata.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace xbase::detail {

namespace {

quint16 le16(const char* p)
{
    return quint16(static_cast<unsigned char>(p[0]) | (static_cast<unsigned char>(p[1]) << 8));
}

quint32 le32(const char* p)
{
    return quint32(static_cast<unsigned char>(p[0])) | (quint32(static_cast<unsigned char>(p[1])) << 8)
        | (quint32(static_cast<unsigned char>(p[2])) << 16) | (quint32(static_cast<unsigned char>(p[3])) << 24);
}

void putLe32(char* p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

bool knownVersion(unsigned char v)
{
    switch (v) {
    case 0x02: case 0x03: case 0x04: case 0x05: case 0x83: case 0x8B: case 0x7B: case 0xCB:
    case 0x30: case 0x31: case 0x32: case 0xF5: case 0xFB: case 0x43: case 0x63: case 0xB3:
    case 0xE5:
        return true;
    default:
        return false;
    }
}

bool isFoxVersion(unsigned char v)
{
    return v == 0x30 || v == 0x31 || v == 0x32 || v == 0xF5 || v == 0xFB;
}

QString errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// An existing file beside path with the given extension in any letter case.
QString siblingWithExtension(const QString& path, const QString& ext)
{
    const QFileInfo info(path);
    const QString base = info.completeBaseName();
    const QString wanted = base + QLatin1Char('.') + ext;
    const QDir dir = info.absoluteDir();
    if (dir.exists(wanted))
        return dir.filePath(wanted);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& n : names)
        if (n.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(n);
    return {};
}

} // namespace

QString fieldTypeName(const FieldDef& f)
{
    QString s = QString(QLatin1Char(f.type)) + QLatin1Char(' ') + QString::number(f.width);
    if (f.type == 'N' && f.decimals > 0)
        s += QLatin1Char('.') + QString::number(f.decimals);
    return s;
}

TableData::~TableData()
{
    if (fd >= 0)
        ::close(fd);
}

QString TableData::fileError(const QString& what) const
{
    return QDir::toNativeSeparators(path) + QLatin1String(": ") + what;
}

void TableData::fail(const QString& what) const
{
    throw Error(fileError(what));
}

void TableData::load(const QString& filePath, bool ro)
{
    path = filePath;
    readOnly = ro;
    fd = ::open(QFile::encodeName(path).constData(), (ro ? O_RDONLY : O_RDWR) | O_CLOEXEC);
    if (fd < 0)
        fail(QStringLiteral("cannot open the table (%1)").arg(errnoText()));
    if (::flock(fd, (ro ? LOCK_SH : LOCK_EX) | LOCK_NB) != 0)
        fail(QStringLiteral("the table is in use by another program or window"));

    struct stat st {};
    if (::fstat(fd, &st) != 0)
        fail(QStringLiteral("cannot read the table (%1)").arg(errnoText()));
    if (!S_ISREG(st.st_mode))
        fail(QStringLiteral("not a table file"));
    const qint64 fileSize = st.st_size;
    if (fileSize < 32)
        fail(QStringLiteral("the file is too short to be a dBASE table"));

    char head[32];
    if (::pread(fd, head, 32, 0) != 32)
        fail(QStringLiteral("cannot read the table header"));
    version = static_cast<unsigned char>(head[0]);
    if (!knownVersion(version))
        fail(QStringLiteral("not a dBASE table (unknown version byte 0x%1)").arg(version, 2, 16, QLatin1Char('0')));
    const int yy = static_cast<unsigned char>(head[1]);
    lastUpdate = QDate(yy < 100 ? 1900 + yy : 1900 + yy, static_cast<unsigned char>(head[2]),
                       static_cast<unsigned char>(head[3]));
    quint32 headerCount = le32(head + 4);
    headerLength = le16(head + 8);
    recordLength = le16(head + 10);
    codePage = &CodePage::forLanguageDriver(static_cast<unsigned char>(head[29]));
    if (headerLength < 33 || headerLength > fileSize)
        fail(QStringLiteral("the header length %1 is wrong").arg(headerLength));
    if (recordLength < 2)
        fail(QStringLiteral("the record length %1 is wrong").arg(recordLength));

    header.resize(headerLength);
    if (::pread(fd, header.data(), headerLength, 0) != headerLength)
        fail(QStringLiteral("cannot read the table header"));

    // Field descriptors: 32 bytes each up to the 0x0D terminator.
    fields.clear();
    offsets.clear();
    nameIndex.clear();
    int offset = 1;
    for (int pos = 32; pos + 32 <= headerLength; pos += 32) {
        const char* d = header.constData() + pos;
        if (d[0] == 0x0D)
            break;
        int nameLen = 0;
        while (nameLen < 11 && d[nameLen] != 0)
            ++nameLen;
        FieldDef f;
        f.name = QString::fromLatin1(d, nameLen).trimmed();
        f.type = char(std::toupper(static_cast<unsigned char>(d[11])));
        f.width = static_cast<unsigned char>(d[16]);
        f.decimals = static_cast<unsigned char>(d[17]);
        if (f.type == 'C' && f.decimals > 0 && isFoxVersion(version)) {   // wide character fields
            f.width += 256 * f.decimals;
            f.decimals = 0;
        }
        if (f.name.isEmpty() || f.width == 0)
            fail(QStringLiteral("field %1 of the header is damaged").arg(fields.size() + 1));
        if (f.type == 'M' || f.type == 'B' || f.type == 'G')
            hasMemo = hasMemo || f.type == 'M';
        offsets.push_back(offset);
        offset += f.width;
        nameIndex.insert(f.name.toLower(), int(fields.size()));
        fields.append(f);
    }
    if (fields.isEmpty())
        fail(QStringLiteral("the table has no fields"));
    if (offset > recordLength)
        fail(QStringLiteral("the fields (%1 bytes) do not fit the record length %2").arg(offset).arg(recordLength));

    // Trust the smaller of the header's count and what the file holds.
    const qint64 available = (fileSize - headerLength) / recordLength;
    count = quint32(std::min<qint64>(headerCount, available));

    records.resize(qsizetype(count) * recordLength);
    qint64 done = 0;
    while (done < records.size()) {
        const ssize_t n = ::pread(fd, records.data() + done, size_t(records.size() - done), headerLength + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(QStringLiteral("cannot read the records (%1)").arg(n < 0 ? errnoText() : QStringLiteral("file ended")));
        done += n;
    }

    if (hasMemo) {
        QString memoFile = siblingWithExtension(path, isFoxVersion(version) ? QStringLiteral("fpt") : QStringLiteral("dbt"));
        if (memoFile.isEmpty())
            memoFile = siblingWithExtension(path, isFoxVersion(version) ? QStringLiteral("dbt") : QStringLiteral("fpt"));
        if (memoFile.isEmpty())
            fail(QStringLiteral("the memo file (.dbt) is missing"));
        MemoFile::Kind kind = MemoFile::Kind::DbaseIII;
        if (memoFile.endsWith(QLatin1String("fpt"), Qt::CaseInsensitive))
            kind = MemoFile::Kind::FoxPro;
        else if ((version & 0x07) == 0x04 || version == 0x8B || version == 0x7B || version == 0xCB)
            kind = MemoFile::Kind::DbaseIV;
        memo.open(memoFile, kind, ro);
    }
    open = true;
}

QByteArray TableData::blankRecord() const
{
    return QByteArray(recordLength, ' ');
}

void TableData::decode(quint32 recNo, char* out) const
{
    std::memcpy(out, raw(recNo), size_t(recordLength));
    if (readCallback)
        readCallback(out + 1, recordLength - 1);
}

void TableData::storeEncoded(quint32, const char* decoded, char* out) const
{
    std::memcpy(out, decoded, size_t(recordLength));
    if (writeCallback)
        writeCallback(out + 1, recordLength - 1);
}

void TableData::pwriteAll(int file, const char* data, qsizetype size, qint64 offset) const
{
    while (size > 0) {
        const ssize_t n = ::pwrite(file, data, size_t(size), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(QStringLiteral("cannot write (%1)").arg(errnoText()));
        data += n;
        size -= n;
        offset += n;
    }
}

void TableData::sync()
{
    if (fd >= 0 && ::fdatasync(fd) != 0)
        fail(QStringLiteral("cannot write to the disk (%1)").arg(errnoText()));
}

void TableData::writeHeader()
{
    const QDate today = QDate::currentDate();
    lastUpdate = today;
    header[1] = char(today.year() - 1900);
    header[2] = char(today.month());
    header[3] = char(today.day());
    putLe32(header.data() + 4, count);
    pwriteAll(fd, header.constData(), 8, 0);
}

void TableData::writeRecord(quint32 recNo, const char* decoded)
{
    char* stored = records.data() + qsizetype(recNo - 1) * recordLength;
    storeEncoded(recNo, decoded, stored);
    pwriteAll(fd, stored, recordLength, headerLength + qint64(recNo - 1) * recordLength);
    if (flushAfterPost)
        sync();
    writeHeader();
    if (flushAfterPost)
        sync();
}

quint32 TableData::appendRecord(const char* decoded)
{
    QByteArray stored(recordLength + 1, Qt::Uninitialized);
    storeEncoded(count + 1, decoded, stored.data());
    stored[recordLength] = 0x1A;
    pwriteAll(fd, stored.constData(), stored.size(), headerLength + qint64(count) * recordLength);
    if (flushAfterPost)
        sync();
    records.append(stored.constData(), recordLength);
    ++count;
    writeHeader();
    if (flushAfterPost)
        sync();
    return count;
}

void TableData::appendStored(const char* stored, qsizetype size, quint32 n)
{
    if (n == 0)
        return;
    QByteArray out(stored, size);
    out.append(char(0x1A));
    pwriteAll(fd, out.constData(), out.size(), headerLength + qint64(count) * recordLength);
    sync();
    records.append(stored, size);
    count += n;
    writeHeader();
    sync();
}

void TableData::writeDeleted(quint32 recNo, bool deleted)
{
    char* stored = records.data() + qsizetype(recNo - 1) * recordLength;
    stored[0] = deleted ? '*' : ' ';
    pwriteAll(fd, stored, 1, headerLength + qint64(recNo - 1) * recordLength);
    if (flushAfterPost)
        sync();
    writeHeader();
    if (flushAfterPost)
        sync();
}

// Pack: the kept records go to a new file which then replaces the old one by rename, so a
// crash leaves either the old file or the new one, never a mixture. The memo file keeps its
// blocks (those of removed records are simply no longer referenced).
void TableData::packFile()
{
    LargeBuffer kept;
    kept.reserve(records.size());
    quint32 n = 0;
    for (quint32 r = 1; r <= count; ++r) {
        if (!rawDeleted(r)) {
            kept.append(raw(r), recordLength);
            ++n;
        }
    }
    const QString tmpPath = path + QStringLiteral(".packing");
    const QByteArray tmpName = QFile::encodeName(tmpPath);
    const int nfd = ::open(tmpName.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (nfd < 0)
        fail(QStringLiteral("cannot create the packed copy (%1)").arg(errnoText()));
    try {
        if (::flock(nfd, LOCK_EX | LOCK_NB) != 0)
            fail(QStringLiteral("cannot lock the packed copy"));
        QByteArray newHeader = header;
        const QDate today = QDate::currentDate();
        newHeader[1] = char(today.year() - 1900);
        newHeader[2] = char(today.month());
        newHeader[3] = char(today.day());
        putLe32(newHeader.data() + 4, n);
        pwriteAll(nfd, newHeader.constData(), newHeader.size(), 0);
        const char eof = 0x1A;
        pwriteAll(nfd, kept.constData(), kept.size(), headerLength);
        pwriteAll(nfd, &eof, 1, headerLength + kept.size());
        if (::fsync(nfd) != 0)
            fail(QStringLiteral("cannot write the packed copy (%1)").arg(errnoText()));
        if (::rename(tmpName.constData(), QFile::encodeName(path).constData()) != 0)
            fail(QStringLiteral("cannot replace the table by its packed copy (%1)").arg(errnoText()));
        const QByteArray dirName = QFile::encodeName(QFileInfo(path).absolutePath());
        const int dfd = ::open(dirName.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dfd >= 0) {
            ::fsync(dfd);
            ::close(dfd);
        }
        header = newHeader;
        lastUpdate = today;
    } catch (...) {
        ::close(nfd);
        ::unlink(tmpName.constData());
        throw;
    }
    ::close(fd);
    fd = nfd;
    records = std::move(kept);
    count = n;
    ++generation;
}

void TableData::zapFile()
{
    count = 0;
    writeHeader();
    const char eof = 0x1A;
    pwriteAll(fd, &eof, 1, headerLength);
    if (::ftruncate(fd, headerLength + 1) != 0)
        fail(QStringLiteral("cannot empty the table (%1)").arg(errnoText()));
    sync();
    records.clear();
    if (memo.isOpen())
        memo.reset();
    ++generation;
}

} // namespace xbase::detail

namespace xbase {

using detail::TableData;

void Table::create(const QString& path, const FieldList& fieldList)
{
    const auto fail = [&](const QString& what) {
        throw Error(QDir::toNativeSeparators(path) + QLatin1String(": ") + what);
    };
    if (fieldList.isEmpty())
        fail(QStringLiteral("a table needs at least one field"));
    QByteArray header(32 + 32 * fieldList.size() + 1, '\0');
    int recordLength = 1;
    bool memo = false;
    for (int i = 0; i < fieldList.size(); ++i) {
        FieldDef f = fieldList[i];
        f.type = char(std::toupper(static_cast<unsigned char>(f.type)));
        switch (f.type) {
        case 'D': f.width = 8; f.decimals = 0; break;
        case 'L': f.width = 1; f.decimals = 0; break;
        case 'M': f.width = 10; f.decimals = 0; memo = true; break;
        case 'C':
            f.decimals = 0;
            if (f.width < 1 || f.width > 254)
                fail(QStringLiteral("field %1: width %2 is not possible").arg(f.name).arg(f.width));
            break;
        case 'N':
            if (f.width < 1 || f.width > 20 || f.decimals < 0 || (f.decimals > 0 && f.decimals > f.width - 2))
                fail(QStringLiteral("field %1: N %2.%3 is not possible").arg(f.name).arg(f.width).arg(f.decimals));
            break;
        default:
            fail(QStringLiteral("field %1: type %2 cannot be created").arg(f.name).arg(QLatin1Char(f.type)));
        }
        const QByteArray name = f.name.toUpper().toLatin1().left(10);
        if (name.isEmpty())
            fail(QStringLiteral("field %1 has no name").arg(i + 1));
        char* d = header.data() + 32 + 32 * i;
        std::memcpy(d, name.constData(), size_t(name.size()));
        d[11] = f.type;
        d[16] = char(f.width);
        d[17] = char(f.decimals);
        recordLength += f.width;
    }
    if (recordLength > 65535)
        fail(QStringLiteral("the record is too long"));
    const QDate today = QDate::currentDate();
    header[0] = char(memo ? 0x83 : 0x03);
    header[1] = char(today.year() - 1900);
    header[2] = char(today.month());
    header[3] = char(today.day());
    header[8] = char(header.size() & 0xFF);
    header[9] = char(header.size() >> 8);
    header[10] = char(recordLength & 0xFF);
    header[11] = char(recordLength >> 8);
    header[29] = char(CodePage::get(CodePage::Cp437).languageDriver());
    header[header.size() - 1] = 0x0D;
    header.append(char(0x1A));

    // Written beside, then renamed into place, so a crash never leaves half a header.
    const QByteArray name = QFile::encodeName(path);
    const QByteArray tmp = name + ".creating";
    const int fd = ::open(tmp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        fail(QStringLiteral("cannot create the table (%1)").arg(QString::fromLocal8Bit(std::strerror(errno))));
    const bool ok = ::write(fd, header.constData(), size_t(header.size())) == header.size() && ::fsync(fd) == 0;
    ::close(fd);
    if (!ok) {
        ::unlink(tmp.constData());
        fail(QStringLiteral("cannot write the new table"));
    }
    if (memo) {
        QString memoFile = memoPath(path);
        detail::MemoFile::create(memoFile);
    }
    if (::rename(tmp.constData(), name.constData()) != 0) {
        ::unlink(tmp.constData());
        fail(QStringLiteral("cannot create the table (%1)").arg(QString::fromLocal8Bit(std::strerror(errno))));
    }
}

int Table::readRecordLength(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(QDir::toNativeSeparators(path) + QStringLiteral(": cannot open the table (%1)").arg(f.errorString()));
    const QByteArray head = f.read(12);
    if (head.size() < 12)
        throw Error(QDir::toNativeSeparators(path) + QStringLiteral(": the file is too short to be a dBASE table"));
    return static_cast<unsigned char>(head[10]) | (static_cast<unsigned char>(head[11]) << 8);
}

QString Table::memoPath(const QString& path)
{
    for (const char* ext : {"dbt", "fpt"}) {
        const QString existing = detail::siblingWithExtension(path, QLatin1String(ext));
        if (!existing.isEmpty())
            return existing;
    }
    const QFileInfo info(path);
    const bool upper = info.suffix() == info.suffix().toUpper() && !info.suffix().isEmpty();
    return info.dir().filePath(info.completeBaseName() + (upper ? QStringLiteral(".DBT") : QStringLiteral(".dbt")));
}

void Table::remove(const QString& path)
{
    const QString memo = detail::siblingWithExtension(path, QStringLiteral("dbt"));
    const QString fpt = detail::siblingWithExtension(path, QStringLiteral("fpt"));
    for (const QString& p : {path, memo, fpt})
        if (!p.isEmpty() && QFile::exists(p) && !QFile::remove(p))
            throw Error(QDir::toNativeSeparators(p) + QStringLiteral(": cannot delete the file"));
}

} // namespace xbase

#include "platform/system/errors.h"
#include "platform/system/fileops.h"
#include "platform/system/textfile.h"
#include "support/qtprinters.h"
#include "support/tempfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(TextFile, WritesCrlfUtf8AndReadsAnyLineEnd)
{
    TempFolder t;
    writeTextFile(t.file("transinfo.txt"), QString::fromUtf8("ProgramVersion=3.6.0.0\nClub=Caf\u00e9\r\nlast\r"));
    EXPECT_EQ(readBytes(t.file("transinfo.txt")), "ProgramVersion=3.6.0.0\r\nClub=Caf\xC3\xA9\r\nlast\r\n");

    writeBytes(t.file("lf.txt"), "a\nb\n\nc");
    EXPECT_EQ(readTextLines(t.file("lf.txt")), (QStringList{"a", "b", "", "c"}));
    writeBytes(t.file("latin1.txt"), "Z\xFCrich\r\n");
    EXPECT_EQ(readTextLines(t.file("latin1.txt")), QStringList{QString::fromUtf8("Z\u00fcrich")});
    bool ok = true;
    EXPECT_TRUE(readTextLines(t.file("missing.txt"), &ok).isEmpty());
    EXPECT_FALSE(ok);
    EXPECT_THROW(writeTextLines(t.file("no/such/folder/x.txt"), {"x"}), AppError);
}

TEST(FileOps, CopyReplacesAndCanKeepTheModificationTime)
{
    TempFolder t;
    writeBytes(t.file("a.dbf"), "new contents");
    writeBytes(t.file("b.dbf"), "old");
    const QDateTime old = QDateTime::currentDateTime().addDays(-30);
    {
        QFile a(t.file("a.dbf"));
        ASSERT_TRUE(a.open(QIODevice::ReadWrite));
        ASSERT_TRUE(a.setFileTime(old, QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(copyFile(t.file("a.dbf"), t.file("b.dbf"), true));
    EXPECT_EQ(readBytes(t.file("b.dbf")), "new contents");
    EXPECT_EQ(QFileInfo(t.file("b.dbf")).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());

    ASSERT_TRUE(copyFile(t.file("a.dbf"), t.file("c.dbf")));
    EXPECT_GT(QFileInfo(t.file("c.dbf")).lastModified(), old.addDays(1));

    QString error;
    EXPECT_FALSE(copyFile(t.file("missing.dbf"), t.file("d.dbf"), false, &error));
    EXPECT_TRUE(error.startsWith("Could not copy file " + t.file("missing.dbf") + " to " + t.file("d.dbf")))
        << error.toStdString();
    EXPECT_FALSE(copyFile(t.file("a.dbf"), t.file("no/folder/d.dbf"), false, &error));
    EXPECT_FALSE(QFile::exists(t.file("no/folder/d.dbf.part")));
}

TEST(FileOps, MoveRenamesAndNeverReplaces)
{
    TempFolder t;
    writeBytes(t.file("Show-00001-01-01-2024.dbf"), "entries");
    ASSERT_TRUE(moveFile(t.file("Show-00001-01-01-2024.dbf"), t.file("Show-00001-01-01-2024.OLD")));
    EXPECT_FALSE(QFile::exists(t.file("Show-00001-01-01-2024.dbf")));
    EXPECT_EQ(readBytes(t.file("Show-00001-01-01-2024.OLD")), "entries");

    writeBytes(t.file("x.dbf"), "x");
    QString error;
    EXPECT_FALSE(moveFile(t.file("x.dbf"), t.file("Show-00001-01-01-2024.OLD"), &error));
    EXPECT_EQ(readBytes(t.file("Show-00001-01-01-2024.OLD")), "entries");
    EXPECT_TRUE(removeFile(t.file("x.dbf")));
    EXPECT_TRUE(removeFile(t.file("never-there.dbf")));
}

TEST(FileOps, RemovableFlagOfADiskOrOfThePartitionsDisk)
{
    TempFolder t;
    // A fake /sys: devices/<disk>/removable, devices/<disk>/<partition>/, class/block links.
    const QString devices = t.file("devices");
    writeBytes(devices + "/sdb/removable", "1\n");
    QDir().mkpath(devices + "/sdb/sdb1");
    writeBytes(devices + "/sda/removable", "0\n");
    QDir().mkpath(devices + "/sda/sda2");
    const QString block = t.file("class/block");
    QDir().mkpath(block);
    for (const char* link : {"sdb/sdb1", "sda/sda2", "sdb"})
        ASSERT_TRUE(QFile::link(devices + "/" + link, block + "/" + QFileInfo(link).fileName()));

    EXPECT_TRUE(isRemovableDevice("/dev/sdb1", block));
    EXPECT_TRUE(isRemovableDevice("/dev/sdb", block));
    EXPECT_FALSE(isRemovableDevice("/dev/sda2", block));
    EXPECT_FALSE(isRemovableDevice("/dev/nvme0n1p1", block));
    EXPECT_FALSE(isRemovableDevice("tmpfs", block));
    EXPECT_FALSE(firstRemovableOrHome().isEmpty());
}

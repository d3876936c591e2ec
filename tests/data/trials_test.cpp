#include "data/demodata.h"
#include "data/dmod.h"
#include "data/scramble.h"
#include "data/trials.h"
#include "platform/system/errors.h"
#include "support/demofolder.h"
#include "support/tempfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Entry
{
    const char* id;
    const char* callName;
    const char* last;
    bool deleted;
};
const Entry kEntries[] = {
    {"12345-01", "Zippy", "Abbott", false},
    {"12345-02", "Gone", "Abbott", true},
    {"54321-07", "Mo\xc3\xabl", "Ducharme", false},   // a letter outside ASCII goes through the code page
};

class TrialsTest : public ::testing::Test
{
protected:
    TrialsTest() : folders(dir.path())
    {
        ProgramFolders::setCurrent(folders);
        writeProgramFolder(folders);
        dmod = std::make_unique<TDmod>(folders);
        dmod->OpenShowDates();
    }

    void addTrialRow(int number)
    {
        xbase::Table& t = dmod->ShowDates;
        t.append();
        t.setInt("show_num", number);
        t.setInt("num_days", 1);
        t.setText("show_date", "06/05/2004");
        ASSERT_TRUE(t.post());
    }

    // An entries file of the previous layout (520-byte records), scrambled as the previous
    // version wrote it, with one record marked deleted.
    QString makeOldEntries(const QString& name)
    {
        const QString path = folders.shows() + name;
        {
            xbase::Table templ;
            templ.open(folders.pgmdata() + "showdb36.dbf");
            templ.copyStructure(path);
        }
        xbase::Table t;
        t.open(path);
        t.setReadCallback(data::UnscrambleRecord);
        t.setWriteCallback(data::ScrambleRecord);
        for (const Entry& e : kEntries) {
            t.append();
            t.setText("mem_dog_id", e.id);
            t.setText("call_name", QString::fromUtf8(e.callName));
            t.setText("last", e.last);
            t.setInt("show_num", 12);
            t.setBool("d1_std_1", true);
            t.setText("d1_std_lev", "3");
            t.setDeleted(e.deleted);
            EXPECT_TRUE(t.post());
        }
        t.close();
        return path;
    }

    void expectConverted(const QString& path)
    {
        ASSERT_EQ(data::entriesFormat(path), data::EntriesFormat::Current);
        xbase::Table t;
        t.open(path);
        ASSERT_EQ(t.recordCount(), 3u);
        // Stored scrambled: the raw bytes are not the plain text ...
        EXPECT_NE(t.rawField(1, t.fieldNumber("mem_dog_id")), QByteArray("12345-01"));
        EXPECT_EQ(data::UnscrambleText(t.rawField(1, t.fieldNumber("mem_dog_id"))), "12345-01");
        // ... and read back through the callback they are the same entries.
        t.setReadCallback(data::UnscrambleRecord);
        for (quint32 r = 1; r <= 3; ++r) {
            const Entry& e = kEntries[r - 1];
            ASSERT_TRUE(t.go(r));
            EXPECT_EQ(t.trimmed("mem_dog_id"), e.id);
            EXPECT_EQ(t.trimmed("call_name"), QString::fromUtf8(e.callName));
            EXPECT_EQ(t.trimmed("last"), e.last);
            EXPECT_EQ(t.toInt("show_num"), 12);
            EXPECT_TRUE(t.toBool("d1_std_1"));
            EXPECT_EQ(t.trimmed("d1_std_lev"), "3");
            EXPECT_EQ(t.isDeleted(), e.deleted) << r;
            EXPECT_EQ(t.trimmed("gatekey"), "");
        }
    }

    TempFolder dir;
    ProgramFolders folders;
    std::unique_ptr<TDmod> dmod;
};

} // namespace

TEST_F(TrialsTest, NextTrialNumberIsHighestPlusOneAndGapsAreNotReused)
{
    EXPECT_EQ(data::NextTrialNumber(*dmod), 1);
    addTrialRow(1);
    addTrialRow(7);
    addTrialRow(2);
    EXPECT_EQ(data::NextTrialNumber(*dmod), 8);
}

TEST_F(TrialsTest, NamesOfATrialsFiles)
{
    EXPECT_EQ(data::EntriesPath(folders, 12, "06/05/2004"), folders.shows() + "Show-00012-06-05-2004.dbf");
    EXPECT_EQ(data::TrialFolder(folders, 12), folders.catdata() + "cat00012/");
    EXPECT_EQ(data::EntriesBackupPath("/x/shows/Show-00012-06-05-2004.dbf"), "/x/shows/Show-00012-06-05-2004.OLD");
    const struct
    {
        const char* file;
        int trial;
    } names[] = {
        {"Show-00012-06-05-2004.dbf", 12}, {"/a/b/Show-00003-01-02-2003.dbf", 3}, {"entries.dbf", 0},
        {"Show-abc-06-05-2004.dbf", 0},     {"Show-00012.dbf", 0},                 {"Showing-1-2.dbf", 0},
    };
    for (const auto& n : names)
        EXPECT_EQ(data::TrialNumberFromEntriesFile(n.file), n.trial) << n.file;
}

TEST_F(TrialsTest, FormatIsToldByTheRecordLength)
{
    const QString current = folders.shows() + "current.dbf";
    dmod->OpenShowTemplate();
    dmod->Show.copyStructure(current);
    const QString previous = makeOldEntries("previous.dbf");
    const QString damaged = folders.shows() + "damaged.dbf";
    xbase::Table::create(damaged, {{"a", 'C', 254}, {"b", 'C', 254}, {"c", 'C', 17}});   // 526 with the mark
    const QString other = folders.shows() + "other.dbf";
    xbase::Table::create(other, {{"a", 'C', 10}});
    const QString text = folders.shows() + "notes.dbf";
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("hello");
    f.close();

    EXPECT_EQ(data::entriesFormat(current), data::EntriesFormat::Current);
    EXPECT_EQ(data::entriesFormat(previous), data::EntriesFormat::Previous);
    EXPECT_EQ(data::entriesFormat(damaged), data::EntriesFormat::Damaged);
    EXPECT_EQ(data::entriesFormat(other), data::EntriesFormat::Unknown);
    EXPECT_EQ(data::entriesFormat(text), data::EntriesFormat::Unknown);
    EXPECT_EQ(data::entriesFormat(folders.shows() + "missing.dbf"), data::EntriesFormat::Unknown);
}

TEST_F(TrialsTest, CreatingATrialsFilesNeverOverwritesEntries)
{
    const QString path = data::CreateTrialFiles(*dmod, 1, "06/05/2004");
    EXPECT_EQ(path, folders.shows() + "Show-00001-06-05-2004.dbf");
    EXPECT_TRUE(QFileInfo(folders.catdata() + "cat00001").isDir());
    EXPECT_EQ(data::entriesFormat(path), data::EntriesFormat::Current);

    // An empty file of that name may be made again; one with entries may not.
    EXPECT_NO_THROW(data::CreateTrialFiles(*dmod, 1, "06/05/2004"));
    {
        xbase::Table t;
        t.open(path);
        t.append();
        t.setText("last", "Abbott");
        ASSERT_TRUE(t.post());
    }
    EXPECT_THROW(data::CreateTrialFiles(*dmod, 1, "06/05/2004"), AppError);
    xbase::Table t;
    t.open(path);
    EXPECT_EQ(t.recordCount(), 1u);
}

TEST_F(TrialsTest, TrialFolderThatCannotBeMadeIsReported)
{
    // A file where the catdata folder should be.
    QFile blocker(QDir(dir.path()).filePath("catdata"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        data::CreateTrialFiles(*dmod, 4, "06/05/2004");
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Cannot create " + folders.catdata());
    }
    EXPECT_FALSE(QFileInfo::exists(folders.shows() + "Show-00004-06-05-2004.dbf"));
}

TEST_F(TrialsTest, ConversionKeepsRecordsDeletedMarksAndScrambling)
{
    const QString path = makeOldEntries("Show-00012-06-05-2004.dbf");
    const QByteArray original = fileBytes(path);

    ASSERT_FALSE(data::EntriesBackupExists(path));
    data::BackupEntriesFile(path);
    ASSERT_TRUE(data::EntriesBackupExists(path));
    EXPECT_EQ(fileBytes(data::EntriesBackupPath(path)), original);

    data::ConvertEntriesFile(*dmod, path);
    expectConverted(path);
    EXPECT_EQ(fileBytes(data::EntriesBackupPath(path)), original);
    // No plain copy of the entries and no half-built file is left behind.
    EXPECT_FALSE(QFileInfo::exists(folders.pgmdata() + "tempdb.dbf"));
    EXPECT_FALSE(QFileInfo::exists(path + ".converting"));

    // It opens as the trial's entries file.
    dmod->OpenTzDbf1(path);
    EXPECT_EQ(dmod->TzDbf1.recordCount(), 3u);
    EXPECT_EQ(dmod->TzDbf1.currentTag(), "NAME");
    EXPECT_EQ(dmod->TzDbf1.trimmed("last"), "Abbott");
}

TEST_F(TrialsTest, ConversionStoppedAtAnyStepLosesNothing)
{
    const char* steps[] = {"copied", "unscrambled", "appended", "scrambled", "replaced"};
    for (const char* stop : steps) {
        SCOPED_TRACE(stop);
        const QString path = makeOldEntries(QStringLiteral("Show-00012-%1.dbf").arg(QLatin1String(stop)));
        const QByteArray original = fileBytes(path);
        data::BackupEntriesFile(path);
        EXPECT_THROW(data::ConvertEntriesFile(*dmod, path,
                                              [stop](const char* step) {
                                                  if (qstrcmp(step, stop) == 0)
                                                      throw std::runtime_error("stopped");
                                              }),
                     std::runtime_error);
        EXPECT_EQ(fileBytes(data::EntriesBackupPath(path)), original);
        if (qstrcmp(stop, "replaced") == 0) {
            expectConverted(path);
        } else {
            // The old file is still in place, whole, and converts when tried again.
            EXPECT_EQ(fileBytes(path), original);
            data::ConvertEntriesFile(*dmod, path);
            expectConverted(path);
        }
    }
}

TEST_F(TrialsTest, FailedBackupLeavesTheFileAsItWas)
{
    const QString path = makeOldEntries("Show-00012-06-05-2004.dbf");
    const QByteArray original = fileBytes(path);
    // The backup's working name is taken by a folder, so the copy cannot be made.
    ASSERT_TRUE(QDir().mkpath(data::EntriesBackupPath(path) + ".part"));
    try {
        data::BackupEntriesFile(path);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Unable to create " + QDir::toNativeSeparators(path) + " backup file.");
    }
    EXPECT_FALSE(QFileInfo::exists(data::EntriesBackupPath(path)));
    EXPECT_EQ(fileBytes(path), original);
}

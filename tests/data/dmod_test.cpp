#include "data/demodata.h"
#include "data/dmod.h"
#include "data/scramble.h"
#include "platform/system/errors.h"
#include "platform/system/inifile.h"
#include "support/demofolder.h"
#include "support/tempfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

using data::TableId;

namespace {

using Row = std::initializer_list<std::pair<const char*, QString>>;

void appendRow(xbase::Table& table, Row row, bool deleted = false)
{
    table.append();
    for (const auto& [field, value] : row)
        table.setText(field, value);
    ASSERT_TRUE(table.post());
    if (deleted)
        table.setDeleted(true);
}

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("stale");
}

// A program folder laid out by the demo generator (once; each test gets a copy).
class DmodTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { seeded.seed({.members = 40, .dogs = 90, .judges = 6, .clubs = 4}); }
    static void TearDownTestSuite() { seeded.drop(); }

    DmodTest()
    {
        seeded.copyTo(dir.path());
        QDir().mkpath(path("catdata/cat00012"));   // made when a trial is saved
    }

    QString path(const QString& relative) const { return QDir(dir.path()).filePath(relative); }
    bool exists(const QString& relative) const { return QFileInfo::exists(path(relative)); }

    // A trial in ShowDates, its folder and its entries file (empty, from the template).
    QString makeTrial(TDmod& dmod, int number, const QString& firstDate)
    {
        dmod.OpenShowDates();
        appendRow(dmod.ShowDates, {{"show_num", QString::number(number)}, {"num_days", "2"}, {"show_date", firstDate}});
        QDir().mkpath(path("catdata/cat" + data::TrialNumberText(number)));
        dmod.OpenShowTemplate();
        const QString entries = path("shows/" + data::EntriesFileName(number, firstDate));
        dmod.Show.copyStructure(entries);
        return entries;
    }

    TempFolder dir;
    static inline SeededDemoFolder seeded;
};

} // namespace

TEST_F(DmodTest, StartUpMakesTheFoldersAndOpensTheLongLivedTables)
{
    TDmod dmod{ProgramFolders(dir.path())};
    dmod.DmodCreate();

    for (const char* folder : {"shows", "userdata", "indexs"})
        EXPECT_TRUE(QFileInfo(path(folder)).isDir()) << folder;

    struct Expect
    {
        xbase::Table& table;
        const char* tag;
    };
    for (const Expect& e : {Expect{dmod.Members, "NAME"}, Expect{dmod.DogMaster, "IDKEY"}, Expect{dmod.ShowDates, "SHOWNUM"},
                            Expect{dmod.Judges, "NAME"}, Expect{dmod.Show, ""}, Expect{dmod.MyMembers, "MEMID"}}) {
        SCOPED_TRACE(e.tag);
        ASSERT_TRUE(e.table.isOpen());
        EXPECT_EQ(e.table.currentTag(), QString::fromLatin1(e.tag));
        if (!e.table.isEmpty()) {
            EXPECT_FALSE(e.table.eof());
            xbase::ScanCursor first = e.table.scan();
            first.setCurrentTag(e.table.currentTag());
            first.first();
            EXPECT_EQ(e.table.recNo(), first.recNo());
        }
    }
    // Files the program makes itself on a first start.
    EXPECT_TRUE(exists("userdata/shwdates2.dbf"));
    EXPECT_TRUE(exists("userdata/MyMember.dbf"));
    EXPECT_TRUE(dmod.DogFileScrambled);
    EXPECT_EQ(dmod.Members.recordCount(), 40u);

    // Names come back plain through the read callback, sorted on NAME.
    EXPECT_FALSE(dmod.Members.trimmed("prim_last").isEmpty());
    EXPECT_EQ(dmod.Members.trimmed("country"), "USA");
    QString previous;
    xbase::ScanCursor byName = dmod.Members.scan();
    byName.setCurrentTag("NAME");
    for (byName.first(); !byName.eof(); byName.next()) {
        const QString key = QString::fromLatin1(byName.currentKey());
        EXPECT_LE(previous, key);
        previous = key;
    }
}

TEST_F(DmodTest, MaxMemberIdComparesThePaddedTextOfEveryRecordDeletedOnesToo)
{
    QFile::remove(path("agxdata/sxMembers.dbf"));
    const QString plain = path("agxdata/sMembers.dbf");
    xbase::Table::create(plain, data::tableDef(TableId::Members).fields);
    {
        xbase::Table members;
        members.open(plain);
        appendRow(members, {{"member_id", "00900"}, {"prim_last", "Alpha"}});
        appendRow(members, {{"member_id", "9"}, {"prim_last", "Beta"}}, true);   // "9    " sorts last
        appendRow(members, {{"member_id", "01000"}, {"prim_last", "Gamma"}});
    }
    TDmod dmod{ProgramFolders(dir.path())};
    dmod.DmodCreate();
    EXPECT_EQ(dmod.MaxMemberID, "9    ");
    EXPECT_EQ(dmod.Members.trimmed("prim_last"), "Alpha");   // first in NAME order afterwards
}

TEST_F(DmodTest, MembersFallBackToThePlainFileAndItsOwnIndexName)
{
    QFile::rename(path("agxdata/sxMembers.dbf"), path("agxdata/keep.dbf"));
    const QString plain = path("agxdata/sMembers.dbf");
    xbase::Table::create(plain, data::tableDef(TableId::Members).fields);
    {
        xbase::Table members;
        members.open(plain);
        appendRow(members, {{"member_id", "00042"}, {"prim_first", "Ann"}, {"prim_last", "Plain"}});
    }
    touch(path("indexs/sMembers.mdx"));
    TDmod dmod{ProgramFolders(dir.path())};
    dmod.OpenMembers();
    EXPECT_EQ(dmod.Members.trimmed("prim_last"), "Plain");
    EXPECT_FALSE(exists("indexs/sMembers.mdx"));
    // Stored plain: the raw bytes are the text.
    EXPECT_EQ(dmod.Members.rawField(1, 1), QByteArray("00042"));

    // Neither member file: the table layer's error.
    dmod.Members.close();
    QFile::remove(plain);
    EXPECT_THROW(dmod.OpenMembers(), xbase::Error);
}

TEST_F(DmodTest, DogFileIsMadeOnceFromThePreviousVersionsFile)
{
    // The previous version's file has the same scrambled records.
    QFile::rename(path("agxdata/sxdogmast2.dbf"), path("agxdata/sxdogmast.dbf"));
    {
        TDmod dmod{ProgramFolders(dir.path())};
        dmod.OpenDogMaster();
        EXPECT_EQ(dmod.DogMaster.recordCount(), 90u);
        EXPECT_EQ(dmod.DogMaster.currentTag(), "IDKEY");
        EXPECT_EQ(dmod.DogMaster.trimmed("member_id").size(), 5);
        EXPECT_FALSE(dmod.DogMaster.trimmed("call_name").isEmpty());
    }
    EXPECT_TRUE(exists("agxdata/sxdogmast2.dbf"));
    EXPECT_EQ(QFileInfo(path("agxdata/sxdogmast2.dbf")).size(), QFileInfo(path("agxdata/sxdogmast.dbf")).size());
}

TEST_F(DmodTest, MissingDogFilesLeaveNoEmptyDogFileBehind)
{
    QFile::remove(path("agxdata/sxdogmast2.dbf"));
    TDmod dmod{ProgramFolders(dir.path())};
    EXPECT_THROW(dmod.OpenDogMaster(), xbase::Error);
    EXPECT_FALSE(exists("agxdata/sxdogmast2.dbf"));
    EXPECT_FALSE(dmod.DogFileScrambled);
}

TEST_F(DmodTest, FilesOnlyAgxSuppliesAreNotInvented)
{
    QFile::remove(path("agxdata/breeds.dbf"));
    QFile::remove(path("agxdata/sclubs.dbf"));
    TDmod dmod{ProgramFolders(dir.path())};
    EXPECT_THROW(dmod.OpenBreeds(), xbase::Error);
    EXPECT_THROW(dmod.OpenHostClubs(), xbase::Error);
    EXPECT_FALSE(exists("agxdata/breeds.dbf"));
    EXPECT_FALSE(exists("agxdata/sclubs.dbf"));
}

TEST_F(DmodTest, InstallationTablesOpenWithTheirTagsCreatingTheMissingOnes)
{
    TDmod dmod{ProgramFolders(dir.path())};
    ProgramFolders(dir.path()).createStartupFolders();
    touch(path("indexs/maildb.mdx"));
    touch(path("indexs/breeds.mdx"));

    dmod.OpenBreeds();
    EXPECT_EQ(dmod.Breeds.currentTag(), "BREEDNAME");
    EXPECT_FALSE(dmod.Breeds.trimmed("breed_name").isEmpty());
    EXPECT_FALSE(exists("indexs/breeds.mdx"));
    dmod.OpenHostClubs();
    EXPECT_EQ(dmod.HostClubs.recNo(), 1u);
    EXPECT_TRUE(dmod.HostClubs.tagNames().isEmpty());

    dmod.OpenMail();
    dmod.OpenUpdates();
    EXPECT_TRUE(exists("userdata/maildb.dbf"));
    EXPECT_TRUE(exists("agxdata/updates.dbf"));
    EXPECT_FALSE(exists("indexs/maildb.mdx"));
    EXPECT_EQ(dmod.Mail.tagNames(), (QStringList{"NAME", "ZIP"}));
    EXPECT_EQ(dmod.Updates.currentTag(), "IDKEY");
    EXPECT_TRUE(dmod.Mail.isEmpty());
}

TEST_F(DmodTest, TablesOfOneTrialLiveInItsFolderAndIndexUnderItsNumber)
{
    TDmod dmod{ProgramFolders(dir.path())};
    dmod.DmodCreate();
    const QString trial = "00012";

    struct Case
    {
        void (TDmod::*open)(const QString&);
        xbase::Table TDmod::*table;
        const char* file;
        const char* tag;
        int tags;
    };
    const Case cases[] = {
        {&TDmod::OpenLevGroup, &TDmod::LevGroup, "levgroup", "LEVKEY", 2},
        {&TDmod::OpenRunOrder, &TDmod::RunOrder, "runorder", "CATKEY", 2},
        {&TDmod::OpenJumpHts, &TDmod::JumpHts, "heights", "HTKEY", 2},
        {&TDmod::OpenShwJudges, &TDmod::ShwJudges, "shwjudge", "DAYKEY", 2},
        {&TDmod::OpenCatalog, &TDmod::Catalog, "catalog", "CLASSKEY", 3},
        {&TDmod::OpenHITinfo, &TDmod::HITinfo, "HITinfo", "MemDog", 20},
        {&TDmod::OpenAGXreport, &TDmod::AGXreport, "agxreport", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString mdx = "indexs/" + trial + c.file + ".mdx";
        touch(path(mdx));
        (dmod.*c.open)(trial);
        xbase::Table& table = dmod.*c.table;
        EXPECT_TRUE(table.isOpen());
        EXPECT_TRUE(exists(QStringLiteral("catdata/cat00012/%1.dbf").arg(c.file)));
        EXPECT_EQ(table.currentTag(), QString::fromLatin1(c.tag));
        EXPECT_EQ(table.tagNames().size(), c.tags);
        EXPECT_EQ(exists(mdx), c.tags == 0);   // a table without tags has no index file to clear
    }
    EXPECT_TRUE(exists("catdata/cat00012/agxreport.dbt"));
    EXPECT_TRUE(dmod.LevGroupExists(trial));
    EXPECT_TRUE(dmod.RunOrderExists(trial));
    EXPECT_FALSE(dmod.LevGroupExists("00013"));
    EXPECT_FALSE(dmod.RunOrderExists("00013"));
}

TEST_F(DmodTest, ASecondOpenReturnsAtOnceAndOnlyReopeningRebuilds)
{
    TDmod dmod{ProgramFolders(dir.path())};
    dmod.DmodCreate();
    dmod.OpenRunOrder("00012");
    appendRow(dmod.RunOrder, {{"day_num", "1"}, {"ring", "2"}, {"srt_key", "01"}});
    appendRow(dmod.RunOrder, {{"day_num", "1"}, {"ring", "1"}, {"srt_key", "01"}});
    dmod.RunOrder.setCurrentTag("RUNKEY");
    dmod.RunOrder.last();
    const quint32 here = dmod.RunOrder.recNo();
    touch(path("indexs/00012runorder.mdx"));

    dmod.OpenRunOrder("00012");
    EXPECT_EQ(dmod.RunOrder.currentTag(), "RUNKEY");
    EXPECT_EQ(dmod.RunOrder.recNo(), here);
    EXPECT_TRUE(exists("indexs/00012runorder.mdx"));

    dmod.RunOrder.close();
    dmod.OpenRunOrder("00012");
    EXPECT_EQ(dmod.RunOrder.currentTag(), "CATKEY");
    EXPECT_EQ(dmod.RunOrder.trimmed("ring"), "1");   // first in CATKEY order
    EXPECT_FALSE(exists("indexs/00012runorder.mdx"));

    // OpenAGXreport is the one that always reopens.
    dmod.OpenAGXreport("00012");
    appendRow(dmod.AGXreport, {{"day_num", "1"}, {"memo1", "Day one;All well"}});
    appendRow(dmod.AGXreport, {{"day_num", "2"}});
    dmod.AGXreport.first();
    dmod.AGXreport.next();
    dmod.OpenAGXreport("00012");
    EXPECT_EQ(dmod.AGXreport.recNo(), 1u);
    EXPECT_EQ(dmod.AGXreport.trimmed("memo1"), "Day one;All well");
}

TEST_F(DmodTest, HeightKeysKeepTheirLeadingBlank)
{
    TDmod dmod{ProgramFolders(dir.path())};
    dmod.OpenJumpHts("00012");
    appendRow(dmod.JumpHts, {{"day_num", "1"}, {"ring", "1"}, {"jump_ht", "12"}, {"ht_key", "1"}});
    appendRow(dmod.JumpHts, {{"day_num", "1"}, {"ring", "1"}, {"jump_ht", " 8"}, {"ht_key", "2"}});
    EXPECT_TRUE(dmod.JumpHts.seek("11 8"));
    EXPECT_EQ(dmod.JumpHts.trimmed("ht_key"), "2");
    EXPECT_FALSE(dmod.JumpHts.seek("118"));
    EXPECT_TRUE(dmod.JumpHts.eof());
}

TEST_F(DmodTest, TrialsAreFoundInShowDatesByTheBlankPaddedNumber)
{
    TDmod dmod{ProgramFolders(dir.path())};
    dmod.DmodCreate();
    makeTrial(dmod, 12, "06/05/2004");
    makeTrial(dmod, 3, "01/15/2005");

    EXPECT_EQ(data::ShowDatesKey(12), "   12");
    EXPECT_EQ(data::TrialNumberText(12), "00012");
    EXPECT_TRUE(dmod.ShowDates.seek(data::ShowDatesKey(12)));
    EXPECT_EQ(dmod.ShowDates.text("show_date"), "06/05/2004");
    EXPECT_FALSE(dmod.ShowDates.seek("00012"));
    EXPECT_TRUE(QFileInfo(path("catdata/cat00012")).isDir());

    EXPECT_TRUE(dmod.SetTrialDateKey(12));
    EXPECT_EQ(dmod.TrialDateKey(), "06052004");
    EXPECT_FALSE(dmod.SetTrialDateKey(99));
    EXPECT_EQ(dmod.TrialDateKey(), "");
    dmod.SetTrialDateKeyFromText("01/15/2005");
    EXPECT_EQ(dmod.TrialDateKey(), "01152005");
}

TEST_F(DmodTest, ResultsAndCourseTimeFilesAreNamedByDateAndTheCachedClubId)
{
    IniFile ini(path("gendefs.ini"));
    ini.writeString("ClubInfo", "ClubID", " 12 AB ");
    TDmod dmod{ProgramFolders(dir.path())};
    dmod.DmodCreate();
    makeTrial(dmod, 12, "06/05/2004");
    ASSERT_TRUE(dmod.SetTrialDateKey(12));

    EXPECT_EQ(dmod.ResultsFileName("00012"), "06052004Results12AB");
    EXPECT_EQ(dmod.SCTInfoFileName("00012"), "06052004SCTInfo12AB");
    ini.writeString("ClubInfo", "ClubID", "XY");   // read once, kept for the run
    EXPECT_EQ(dmod.ClubID(), "12AB");

    EXPECT_FALSE(dmod.ResultsExists("00012"));
    touch(path("indexs/06052004Results12AB.mdx"));
    dmod.OpenResults("00012");
    dmod.OpenSCTInfo("00012");
    EXPECT_TRUE(dmod.ResultsExists("00012"));
    EXPECT_TRUE(exists("catdata/cat00012/06052004Results12AB.dbf"));
    EXPECT_TRUE(exists("catdata/cat00012/06052004SCTInfo12AB.dbf"));
    EXPECT_FALSE(exists("indexs/06052004Results12AB.mdx"));
    EXPECT_EQ(dmod.Results.currentTag(), "LOOKUP");
    EXPECT_EQ(dmod.Results.tagNames(), (QStringList{"CATKEY", "TABLEKEY", "LOOKUP", "UPDKEY", "SCORES"}));
    EXPECT_EQ(dmod.SCTInfo.currentTag(), "LOOKUP");

    TDmod fresh{ProgramFolders(dir.path())};
    EXPECT_EQ(fresh.ClubID(), "XY");
}

TEST_F(DmodTest, ClubIdDefaultsToUnknown)
{
    TDmod dmod{ProgramFolders(dir.path())};
    EXPECT_EQ(dmod.ClubID(), "Unknown");
}

TEST_F(DmodTest, LastAutolinkIsTheHighestStoredNumberDeletedRowsIncluded)
{
    TDmod dmod{ProgramFolders(dir.path())};
    dmod.SetTrialDateKeyFromText("06/05/2004");
    {
        // An empty results file leaves the value alone.
        dmod.LastAutolink = 7;
        dmod.OpenResults("00012");
        EXPECT_EQ(dmod.LastAutolink, 7);
        appendRow(dmod.Results, {{"armband", "1201"}, {"autolink", "12"}});
        appendRow(dmod.Results, {{"armband", "1202"}, {"autolink", "250"}}, true);
        appendRow(dmod.Results, {{"armband", "1203"}, {"autolink", "31"}});
        dmod.Results.close();
    }
    dmod.OpenResults("00012");
    EXPECT_EQ(dmod.LastAutolink, 250);
}

TEST_F(DmodTest, EntriesAreScrambledOnDiskAndPlainThroughTheTable)
{
    TDmod dmod{ProgramFolders(dir.path())};
    dmod.DmodCreate();
    const QString entries = makeTrial(dmod, 12, "06/05/2004");
    touch(path("indexs/Show-00012-06-05-2004.mdx"));
    dmod.OpenTzDbf1(entries);
    EXPECT_FALSE(exists("indexs/Show-00012-06-05-2004.mdx"));
    EXPECT_EQ(dmod.TzDbf1.currentTag(), "NAME");
    EXPECT_EQ(dmod.TzDbf1.tagNames().size(), 8);
    EXPECT_EQ(dmod.TzDbf1.recordLength(), 524);

    appendRow(dmod.TzDbf1, {{"mem_dog_id", "01234-02"}, {"first", "Zoë"}, {"last", "Lockhart"},
                            {"reg_ht", " 8"}, {"gatekey", "A1"}});
    appendRow(dmod.TzDbf1, {{"mem_dog_id", "00077-01"}, {"first", "Al"}, {"last", "Abernathy"}, {"reg_ht", "16"}});
    dmod.TzDbf1.first();
    EXPECT_EQ(dmod.TzDbf1.trimmed("last"), "Abernathy");

    for (const char* field : {"first", "last", "mem_dog_id", "reg_ht", "gatekey"}) {
        SCOPED_TRACE(field);
        const int number = dmod.TzDbf1.fieldNumber(field);
        const QByteArray raw = dmod.TzDbf1.rawField(1, number);
        dmod.TzDbf1.go(1);
        EXPECT_NE(raw, dmod.TzDbf1.rawBytes(field));
        EXPECT_EQ(data::UnscrambleText(raw), dmod.TzDbf1.text(field));
    }
    EXPECT_EQ(data::UnscrambleText(dmod.TzDbf1.rawField(1, 141)), "A1  ");
    // The deletion mark is not scrambled.
    EXPECT_EQ(dmod.TzDbf1.rawRecord(1).at(0), ' ');

    // Seeking the sorted height order needs the blank too.
    dmod.TzDbf1.setCurrentTag("SORTHTA");
    EXPECT_TRUE(dmod.TzDbf1.seek(" 8", xbase::SeekMode::Partial));
    EXPECT_EQ(dmod.TzDbf1.trimmed("mem_dog_id"), "01234-02");
}

TEST_F(DmodTest, GateKeysAreAssignedWhenEveryLiveEntryHasOne)
{
    TDmod dmod{ProgramFolders(dir.path())};
    EXPECT_TRUE(dmod.GateKeysAssigned());   // no entries file open
    dmod.DmodCreate();
    dmod.OpenTzDbf1(makeTrial(dmod, 12, "06/05/2004"));
    EXPECT_TRUE(dmod.GateKeysAssigned());   // empty

    appendRow(dmod.TzDbf1, {{"last", "Deleted"}}, true);   // record 1: deleted, no key
    appendRow(dmod.TzDbf1, {{"last", "Keyed"}, {"gatekey", "G1"}});
    EXPECT_TRUE(dmod.GateKeysAssigned());

    appendRow(dmod.TzDbf1, {{"last", "Unkeyed"}, {"gatekey", "    "}});
    EXPECT_FALSE(dmod.GateKeysAssigned());
    dmod.TzDbf1.setDeleted(true);
    EXPECT_TRUE(dmod.GateKeysAssigned());
    EXPECT_EQ(TDmod::kGateKeysMissing, "Not all records have a Gate Key Assigned!");
}

TEST_F(DmodTest, HitInfoRankingTagsPutTheHighestScoreFirstAndNeverTie)
{
    TDmod dmod{ProgramFolders(dir.path())};
    dmod.OpenHITinfo("00012");
    xbase::Table& hit = dmod.HITinfo;
    appendRow(hit, {{"mem_dog_id", "00001-01"}, {"htsrt", "16"}, {"d1_std_lev", "3"}, {"d1_std_pts", "40"}, {"d1_std_per", "80.5"}});
    appendRow(hit, {{"mem_dog_id", "00002-01"}, {"htsrt", "16"}, {"d1_std_lev", "3"}, {"d1_std_pts", "55"}, {"d1_std_per", "91.25"}});
    appendRow(hit, {{"mem_dog_id", "00003-01"}, {"htsrt", "16"}, {"d1_std_lev", "3"}, {"d1_std_pts", "40"}, {"d1_std_per", "80.5"}});

    hit.setCurrentTag("Std1");
    QStringList order;
    QSet<QByteArray> keys;
    for (hit.first(); !hit.eof(); hit.next()) {
        order << hit.trimmed("mem_dog_id");
        keys.insert(hit.currentKey());
    }
    // Equal scores: the later record first, since recno() ends the descending key.
    EXPECT_EQ(order, (QStringList{"00002-01", "00003-01", "00001-01"}));
    EXPECT_EQ(keys.size(), 3);
    EXPECT_EQ(hit.keyLength(), 2 + 1 + 5 + 9 + 5);
    hit.setCurrentTag("MemDog");
    hit.first();
    EXPECT_EQ(hit.trimmed("mem_dog_id"), "00001-01");
}

TEST_F(DmodTest, WorkTablesAreRecreatedOrEmptiedAsEachOperationSays)
{
    TDmod dmod{ProgramFolders(dir.path())};
    ProgramFolders(dir.path()).createStartupFolders();

    dmod.NewCounts();
    appendRow(dmod.Counts, {{"day_num", "1"}, {"classname", "Standard"}});
    touch(path("indexs/counts.mdx"));
    dmod.NewCounts();
    EXPECT_TRUE(dmod.Counts.isEmpty());
    EXPECT_EQ(dmod.Counts.currentTag(), "LEVKEY");
    EXPECT_EQ(dmod.Counts.tagNames(), (QStringList{"LEVKEY", "ClASSNAME"}));
    EXPECT_FALSE(exists("indexs/counts.mdx"));

    dmod.NewVScribe();
    appendRow(dmod.vScribe, {{"day", "1"}});
    dmod.NewVScribe();
    EXPECT_TRUE(dmod.vScribe.isEmpty());
    EXPECT_EQ(dmod.vScribe.currentTag(), "CATKEY");

    struct Emptied
    {
        void (TDmod::*open)();
        xbase::Table TDmod::*table;
        const char* tag;
    };
    for (const Emptied& e : {Emptied{&TDmod::OpenScribe, &TDmod::Scribe, ""}, Emptied{&TDmod::OpenVresults, &TDmod::Vresults, ""},
                             Emptied{&TDmod::OpenVsct, &TDmod::Vsct, "LOOKUP"}}) {
        (dmod.*e.open)();
        xbase::Table& table = dmod.*e.table;
        appendRow(table, {});
        (dmod.*e.open)();   // already open: still emptied
        EXPECT_TRUE(table.isEmpty());
        EXPECT_EQ(table.currentTag(), QString::fromLatin1(e.tag));
    }

    // Opened, never emptied.
    dmod.OpenVRibbons();
    appendRow(dmod.VRibbons, {{"class", "Jumpers"}});
    dmod.VRibbons.close();
    dmod.OpenVRibbons();
    EXPECT_EQ(dmod.VRibbons.recordCount(), 1u);
    dmod.OpenVhitrep();
    appendRow(dmod.vhitrep, {{"mem_dog_id", "00001-01"}});
    appendRow(dmod.vhitrep, {{"mem_dog_id", "00002-01"}});
    dmod.vhitrep.close();
    dmod.OpenVhitrep();
    EXPECT_EQ(dmod.vhitrep.recNo(), 1u);
    EXPECT_EQ(dmod.vhitrep.recordCount(), 2u);

    // A work table whose file is missing is created from its field list.
    QFile::remove(path("pgmdata/vRunOrd.dbf"));
    xbase::Table runOrderCopy;
    dmod.OpenDefined(runOrderCopy, TableId::vRunOrd);
    EXPECT_EQ(runOrderCopy.fieldCount(), 7);
    EXPECT_EQ(runOrderCopy.fieldNumber("srt_key"), 7);
}

TEST_F(DmodTest, AFolderThatCannotBeMadeStopsStartUpBeforeAnyTable)
{
    touch(path("shows"));   // a file where the folder should be
    TDmod dmod{ProgramFolders(dir.path())};
    try {
        dmod.DmodCreate();
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().startsWith("Cannot create ")) << e.message().toStdString();
    }
    EXPECT_FALSE(dmod.Members.isOpen());
}

TEST(EntriesFileNames, TrialNumberComesBackFromTheName)
{
    EXPECT_EQ(data::EntriesFileName(12, "06/05/2004"), "Show-00012-06-05-2004.dbf");
    struct Case
    {
        const char* path;
        int trial;
    };
    for (const Case& c : {Case{"/x/shows/Show-00012-06-05-2004.dbf", 12}, Case{"Show-00003-01-15-2005.DBF", 3},
                          Case{"C:\\prog\\shows\\Show-00007-01-01-2001.dbf", 7}, Case{"MyShow.dbf", 0},
                          Case{"Show-abc-01-01-2001.dbf", 0}, Case{"Show-00012.dbf", 0}, Case{"Show--1-x.dbf", 0}}) {
        EXPECT_EQ(data::TrialNumberFromEntriesFile(QString::fromLatin1(c.path)), c.trial) << c.path;
    }
}

TEST_F(DmodTest, DogsAreMeasuredWithoutACardOrWhenTheirCheckFallsDue)
{
    // A scrambled dog file of our own, written through the same callbacks as AGX's.
    const QString dogs = path("agxdata/sxdogmast2.dbf");
    xbase::Table::create(dogs, data::tableDef(TableId::DogMaster).fields);
    {
        xbase::Table t;
        t.open(dogs);
        t.setReadCallback(data::UnscrambleRecord);
        t.setWriteCallback(data::ScrambleRecord);
        struct Dog
        {
            const char* id;
            const char* card;
            const char* check;
            const char* due;
        };
        for (const Dog& d : {Dog{"0000101", "", "YES", "20040606"}, Dog{"0000102", " +0 ", "NO", ""},
                             Dog{"0000103", "16", "NO", "20040101"}, Dog{"0000104", "16", "yes ", "20040000"},
                             Dog{"0000105", "16", "YES", ""}, Dog{"0000106", "16", "YES", "20040606"},
                             Dog{"0000107", "16", "YES", "20040607"}, Dog{"0000108", "P16", "NO", ""},
                             Dog{"0000109", "+12.5cm", "YES", "20041345"}}) {
            t.append();
            t.setText("member_id", QString::fromLatin1(d.id).left(5));
            t.setText("dog_id", QString::fromLatin1(d.id).mid(5));
            t.setText("perm_card", QString::fromLatin1(d.card));
            t.setText("check_ht", QString::fromLatin1(d.check));
            t.setRawText("chk_ht_dat", QString::fromLatin1(d.due));
            ASSERT_TRUE(t.post());
        }
    }
    TDmod dmod{ProgramFolders(dir.path())};
    dmod.DmodCreate();
    makeTrial(dmod, 12, "06/05/2004");   // two days: the last is 06/06/2004
    ASSERT_TRUE(dmod.ShowDates.seek(data::ShowDatesKey(12)));

    struct Case
    {
        const char* dog;
        bool measure;
    };
    for (const Case& c : {Case{"00001-01", true},   // no card
                          Case{"00001-02", true},   // "+0" reads as no card
                          Case{"00001-03", false},  // card, no check
                          Case{"00001-04", true},   // check without a day
                          Case{"00001-05", true},   // check, blank date
                          Case{"00001-06", true},   // due on the last day
                          Case{"00001-07", false},  // due the day after
                          Case{"00001-08", true},   // "P16" is no number
                          Case{"00001-09", true},   // a date that cannot be read
                          Case{"99999-99", true}}) {
        EXPECT_EQ(dmod.NeedsMeasuring(QString::fromLatin1(c.dog)), c.measure) << c.dog;
    }
    EXPECT_EQ(dmod.DogMaster.currentTag(), "IDKEY");
}

TEST_F(DmodTest, ATrialTableLeftOpenForAnotherTrialIsSwitchedToTheAskedOne)
{
    TDmod dmod{ProgramFolders(dir.path())};
    QDir().mkpath(path("catdata/cat00013"));
    dmod.OpenLevGroup("00012");
    appendRow(dmod.LevGroup, {{"day_num", "1"}, {"classname", "Standard"}});

    dmod.OpenLevGroup("00013");
    EXPECT_TRUE(dmod.LevGroup.isEmpty());
    EXPECT_TRUE(dmod.LevGroup.path().contains("cat00013"));
    EXPECT_TRUE(exists("catdata/cat00013/levgroup.dbf"));

    // Results follow the trial date too, and the running number is taken afresh.
    dmod.SetTrialDateKeyFromText("06/05/2004");
    dmod.OpenResults("00012");
    appendRow(dmod.Results, {{"autolink", "40"}});
    dmod.Results.close();
    dmod.OpenResults("00012");
    EXPECT_EQ(dmod.LastAutolink, 40);
    dmod.SetTrialDateKeyFromText("07/04/2005");
    dmod.OpenResults("00013");
    appendRow(dmod.Results, {{"autolink", "3"}});
    dmod.SetTrialDateKeyFromText("06/05/2004");
    dmod.OpenResults("00012");
    EXPECT_EQ(dmod.Results.recordCount(), 1u);
    EXPECT_EQ(dmod.LastAutolink, 40);
}

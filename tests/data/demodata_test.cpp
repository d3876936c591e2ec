#include "data/demodata.h"
#include "data/dmod.h"
#include "data/scramble.h"
#include "support/tempfolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <gtest/gtest.h>

namespace {

data::DemoSizes smallSizes()
{
    data::DemoSizes sizes;
    sizes.members = 150;
    sizes.dogs = 400;
    sizes.judges = 12;
    sizes.clubs = 6;
    return sizes;
}

// Every file under root with a hash of its contents; the DBF header's last-update
// date (bytes 1-3) is left out so that runs on different days compare equal.
QMap<QString, QByteArray> contents(const QString& root)
{
    QMap<QString, QByteArray> result;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        if (bytes.size() > 4)
            bytes.replace(1, 3, "\0\0\0", 3);
        result.insert(QDir(root).relativeFilePath(path), QCryptographicHash::hash(bytes, QCryptographicHash::Sha1));
    }
    return result;
}

} // namespace

TEST(DemoData, LaysOutTemplatesWorkTablesAndAgxTablesTheSameWayEveryTime)
{
    TempFolder a, b;
    const data::SeedReport report = data::seedProgramFolder(a.path(), smallSizes());
    data::seedProgramFolder(b.path(), smallSizes());
    EXPECT_TRUE(report.kept.isEmpty());

    const auto files = contents(a.path());
    for (const char* name : {"pgmdata/showdb36a.dbf", "pgmdata/showdb36.dbf", "pgmdata/Counts.dbf", "pgmdata/Scribe3.dbf",
                             "pgmdata/vScribe3.dbf", "pgmdata/VResults36a.dbf", "pgmdata/Vsct3.dbf", "pgmdata/vribbon3.dbf",
                             "pgmdata/vhitrep.dbf", "pgmdata/vRunOrd.dbf", "pgmdata/vLevGrp3.dbf", "pgmdata/vjdgdum.dbf",
                             "pgmdata/vHtMeas.dbf", "pgmdata/Vworker1.dbf", "agxdata/sxMembers.dbf", "agxdata/sxdogmast2.dbf",
                             "agxdata/sjudges.dbf", "agxdata/sclubs.dbf", "agxdata/breeds.dbf"}) {
        EXPECT_TRUE(files.contains(QString::fromLatin1(name))) << name;
    }
    EXPECT_EQ(files.size(), 19);   // no temporary files left
    EXPECT_EQ(report.written.size(), 19);
    EXPECT_EQ(files, contents(b.path()));

    EXPECT_EQ(xbase::Table::readRecordLength(a.file("pgmdata/showdb36a.dbf")), 524);
    EXPECT_EQ(xbase::Table::readRecordLength(a.file("pgmdata/showdb36.dbf")), 520);
}

TEST(DemoData, RunningAgainChangesNothingAndKeepsTheUsersFiles)
{
    TempFolder dir;
    data::seedProgramFolder(dir.path(), smallSizes());
    // The user's own judges file, spelled as Windows left it.
    QFile::remove(dir.file("agxdata/sjudges.dbf"));
    xbase::Table::create(dir.file("agxdata/SJUDGES.DBF"), data::tableDef(data::TableId::Judges).fields);
    const auto before = contents(dir.path());

    const data::SeedReport again = data::seedProgramFolder(dir.path(), smallSizes());
    EXPECT_TRUE(again.written.isEmpty());
    EXPECT_EQ(again.kept.size(), 19);
    EXPECT_EQ(contents(dir.path()), before);
}

TEST(DemoData, LeavesMembersAndDogsOutWhenTheUserHasEitherFile)
{
    for (const char* own : {"sMembers.dbf", "SXDOGMAST.DBF"}) {
        SCOPED_TRACE(own);
        TempFolder dir;
        QDir().mkpath(dir.file("agxdata"));
        xbase::Table::create(dir.file(QStringLiteral("agxdata/") + QLatin1String(own)),
                             data::tableDef(data::TableId::Members).fields);
        data::seedProgramFolder(dir.path(), smallSizes());
        EXPECT_FALSE(QFileInfo::exists(dir.file("agxdata/sxMembers.dbf")));
        EXPECT_FALSE(QFileInfo::exists(dir.file("agxdata/sxdogmast2.dbf")));
        EXPECT_TRUE(QFileInfo::exists(dir.file("agxdata/sjudges.dbf")));
    }
}

TEST(DemoData, MemberAndDogFilesAreScrambledAndReadPlainByTheProgram)
{
    TempFolder dir;
    data::seedProgramFolder(dir.path(), smallSizes());
    TDmod dmod{ProgramFolders(dir.path())};
    dmod.DmodCreate();

    // Stored bytes are shifted; the program reads digits and names.
    const QByteArray raw = dmod.Members.rawField(1, 1);
    EXPECT_EQ(data::UnscrambleBytes(raw).size(), 5);
    bool digits = false;
    data::UnscrambleText(raw).toInt(&digits);
    EXPECT_TRUE(digits);
    raw.toInt(&digits);
    EXPECT_FALSE(digits);

    EXPECT_EQ(dmod.Members.recordCount(), 150u);
    EXPECT_EQ(dmod.MaxMemberID.size(), 5);
    EXPECT_EQ(dmod.DogMaster.recordCount(), 400u);

    // Every dog belongs to a member, and its ID seeks on IDKEY.
    QSet<QString> memberIds;
    xbase::ScanCursor members = dmod.Members.scan();
    for (members.first(); !members.eof(); members.next())
        memberIds.insert(members.text("member_id"));
    int checksDue = 0;
    int cards = 0;
    xbase::ScanCursor dogs = dmod.DogMaster.scan();
    for (dogs.first(); !dogs.eof(); dogs.next()) {
        EXPECT_TRUE(memberIds.contains(dogs.text("member_id")));
        EXPECT_EQ(dogs.trimmed("dog_id").size(), 2);
        EXPECT_TRUE(dogs.toDate("birthdate").isValid());
        EXPECT_EQ(dogs.toDate("legal_age"), dogs.toDate("birthdate").addMonths(15));
        EXPECT_GT(dogs.toDouble("height"), 6.0);
        if (dogs.trimmed("check_ht") == "YES") {
            ++checksDue;
            EXPECT_TRUE(dogs.toDate("chk_ht_dat").isValid());
        }
        if (dogs.toInt("perm_card") > 0)
            ++cards;
    }
    EXPECT_GT(checksDue, 5);
    EXPECT_GT(cards, 30);
    dogs.setCurrentTag("IDKEY");
    dogs.last();
    const QString id = dogs.text("member_id") + dogs.text("dog_id");
    EXPECT_TRUE(dmod.DogMaster.seek(id));

    dmod.OpenBreeds();
    EXPECT_GT(dmod.Breeds.recordCount(), 40u);
    dmod.OpenHostClubs();
    EXPECT_EQ(dmod.HostClubs.recordCount(), 6u);
    EXPECT_EQ(dmod.Judges.recordCount(), 12u);
}

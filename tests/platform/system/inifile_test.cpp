#include "platform/system/errors.h"
#include "platform/system/inifile.h"
#include "support/qtprinters.h"
#include "support/tempfolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(IniFile, MissingFileGivesDefaultsAndIsNotCreatedByReading)
{
    TempFolder t;
    IniFile ini(t.file("gendefs.ini"));
    EXPECT_EQ(ini.readString("ClubInfo", "ClubName", "Unknown"), "Unknown");
    EXPECT_EQ(ini.readInteger("TMainForm", "Top", -1), -1);
    EXPECT_FALSE(ini.readBool("Preferences", "EnterAsTab", false));
    EXPECT_FALSE(QFile::exists(ini.path()));
}

TEST(IniFile, SectionAndKeyNamesIgnoreCaseAndValuesAreLiteral)
{
    TempFolder t;
    writeFile(t.file("gendefs.ini"),
              "[clubinfo]\r\n"
              "  CLUBNAME =  Dog Club, Inc.; East  \r\n"
              "ClubID=\"AB 12\"\r\n"
              "[ShowGridFields]\r\n"
              "TzGrid1[0]=armband\r\n"
              "Quoted='x'\r\n"
              "Half=\"x\r\n");
    IniFile ini(t.file("gendefs.ini"));
    EXPECT_EQ(ini.readString("ClubInfo", "ClubName", "Unknown"), "Dog Club, Inc.; East");
    EXPECT_EQ(ini.readString("CLUBINFO", "clubid", "Unknown"), "AB 12");
    EXPECT_EQ(ini.readString("showgridfields", "tzgrid1[0]", "Unknown"), "armband");
    EXPECT_EQ(ini.readString("ShowGridFields", "Quoted", ""), "x");
    EXPECT_EQ(ini.readString("ShowGridFields", "Half", ""), "\"x");
    EXPECT_EQ(ini.readString("ShowGridFields", "TzGrid1[1]", "Unknown"), "Unknown");
    EXPECT_EQ(ini.readString("ClubInfo", "TzGrid1[0]", "none"), "none"); // keys belong to their section
}

TEST(IniFile, IntegersAndBooleansAreReadLeniently)
{
    TempFolder t;
    writeFile(t.file("a.ini"),
              "[W]\nTop=-1\nLeft= 12abc\nHeight=abc\nWidth=\nDigits=+3\nHex=0x1A\n"
              "Big=99999999999\nOn=1\nOff=0\nTwo=2\nWord=true\n");
    IniFile ini(t.file("a.ini"));
    struct Case { const char* key; int expected; };
    const Case cases[] = {{"Top", -1}, {"Left", 12}, {"Height", 77}, {"Width", 77}, {"Digits", 3},
                          {"Hex", 26}, {"Big", 2147483647}, {"Missing", 77}};
    for (const Case& c : cases)
        EXPECT_EQ(ini.readInteger("w", c.key, 77), c.expected) << c.key;
    EXPECT_TRUE(ini.readBool("W", "On", false));
    EXPECT_FALSE(ini.readBool("W", "Off", true));
    EXPECT_TRUE(ini.readBool("W", "Two", false));
    EXPECT_TRUE(ini.readBool("W", "Word", true));   // not a number: the default
    EXPECT_FALSE(ini.readBool("W", "Word", false));
}

TEST(IniFile, FirstWriteCreatesTheFileWithCrlfLines)
{
    TempFolder t;
    IniFile ini(t.file("gendefs.ini"));
    ini.writeBool("Preferences", "EnterAsTab", true);
    ini.writeInteger("Preferences", "Digits", 3);
    ini.writeString("TMainForm", "Top", "10");
    EXPECT_EQ(readFile(ini.path()),
              "[Preferences]\r\nEnterAsTab=1\r\nDigits=3\r\n\r\n[TMainForm]\r\nTop=10\r\n");
}

TEST(IniFile, AWriteChangesOneKeyAndKeepsEveryOtherLine)
{
    TempFolder t;
    const QByteArray before =
        "; written by hand\r\n"
        "[ClubInfo]\r\n"
        "ClubName = Old Name   \r\n"
        "weird line without equals\r\n"
        "\r\n"
        "[SecretaryInfo]\r\n"
        "Name=Pat\r\n"
        "   \r\n"
        "[Preferences]\r\n"
        "EnterAsTab=0\r\n";
    writeFile(t.file("g.ini"), before);
    IniFile ini(t.file("g.ini"));

    ini.writeString("CLUBINFO", "clubname", "New, Name");
    EXPECT_EQ(readFile(ini.path()), QByteArray(before).replace("ClubName = Old Name   ", "ClubName=New, Name"));

    ini.writeString("SecretaryInfo", "Email", "pat@example.org");
    EXPECT_EQ(readFile(ini.path()),
              QByteArray(before)
                  .replace("ClubName = Old Name   ", "ClubName=New, Name")
                  .replace("Name=Pat\r\n", "Name=Pat\r\nEmail=pat@example.org\r\n"));
    EXPECT_EQ(ini.readString("SecretaryInfo", "Email", ""), "pat@example.org");
    EXPECT_EQ(ini.readString("Preferences", "EnterAsTab", ""), "0");
}

TEST(IniFile, EveryReadSeesTheFileAsItIsNow)
{
    TempFolder t;
    IniFile a(t.file("g.ini"));
    IniFile b(t.file("g.ini"));
    a.writeString("LastShow", "LastOpenedShow", "/x/Show-00001-01-01-2024.dbf");
    EXPECT_EQ(b.readString("lastshow", "LASTOPENEDSHOW", "Unknown"), "/x/Show-00001-01-01-2024.dbf");
    writeFile(t.file("g.ini"), "[LastShow]\nLastOpenedShow=changed by hand\n");
    EXPECT_EQ(a.readString("LastShow", "LastOpenedShow", "Unknown"), "changed by hand");
}

TEST(IniFile, ReadsLfAndLatin1AndWritesUtf8)
{
    TempFolder t;
    writeFile(t.file("g.ini"), "[ClubInfo]\nClubName=Caf\xE9 Dogs\nClubID=X\n");
    IniFile ini(t.file("g.ini"));
    EXPECT_EQ(ini.readString("ClubInfo", "ClubName", ""), QString::fromUtf8("Caf\u00e9 Dogs"));
    ini.writeString("ClubInfo", "ClubID", QString::fromUtf8("\u00c5sa"));
    EXPECT_EQ(readFile(ini.path()), QByteArray("[ClubInfo]\r\nClubName=Caf\xC3\xA9 Dogs\r\nClubID=\xC3\x85sa\r\n"));
    EXPECT_EQ(ini.readString("ClubInfo", "ClubName", ""), QString::fromUtf8("Caf\u00e9 Dogs"));
}

TEST(IniFile, ALineBreakInAValueCannotSplitTheFile)
{
    TempFolder t;
    IniFile ini(t.file("g.ini"));
    ini.writeString("SecretaryInfo", "Address", "12 Main St\r\n[Evil]\nx=1");
    EXPECT_FALSE(ini.sectionExists("Evil"));
    EXPECT_EQ(ini.readString("SecretaryInfo", "Address", ""), "12 Main St [Evil] x=1");
}

TEST(IniFile, SectionsKeysAndDeletion)
{
    TempFolder t;
    writeFile(t.file("g.ini"), "[A]\nx=1\ny=2\n[B]\nz=3\n");
    IniFile ini(t.file("g.ini"));
    EXPECT_EQ(ini.sections(), (QStringList{"A", "B"}));
    EXPECT_EQ(ini.keys("a"), (QStringList{"x", "y"}));
    ini.deleteKey("A", "X");
    EXPECT_FALSE(ini.keyExists("A", "x"));
    ini.eraseSection("a");
    EXPECT_EQ(ini.sections(), QStringList{"B"});
    EXPECT_EQ(readFile(ini.path()), "[B]\r\nz=3\r\n");
}

TEST(IniFile, AnUnwritableFileIsReported)
{
    TempFolder t;
    IniFile ini(t.file("missing-folder/g.ini"));
    EXPECT_THROW(ini.writeString("A", "x", "1"), AppError);
    try {
        ini.writeString("A", "x", "1");
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Unable to write to " + ini.path());
    }
}

#include "platform/system/errors.h"
#include "platform/system/pathresolver.h"
#include "platform/system/programfolders.h"
#include "support/qtprinters.h"
#include "support/tempfolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

} // namespace

TEST(PathResolver, FindsFilesWhateverTheirCase)
{
    TempFolder t;
    const QString base = t.path() + "/";
    touch(base + "AgxData/SXMEMBERS.DBF");
    touch(base + "shows/Show-00012-06-05-2004.dbf");

    EXPECT_EQ(resolvePath(base, "agxdata\\sxMembers.dbf"), base + "AgxData/SXMEMBERS.DBF");
    EXPECT_EQ(resolvePath(base, "AGXDATA/sxmembers.dbf"), base + "AgxData/SXMEMBERS.DBF");
    EXPECT_EQ(resolvePath(base, "shows\\SHOW-00012-06-05-2004.DBF"), base + "shows/Show-00012-06-05-2004.dbf");
    EXPECT_TRUE(pathExists(base, "agxdata\\sxmembers.DBF"));
    EXPECT_EQ(resolvePath(base + "SHOWS/show-00012-06-05-2004.dbf"), base + "shows/Show-00012-06-05-2004.dbf");
}

TEST(PathResolver, KeepsTheGivenSpellingForWhatDoesNotExist)
{
    TempFolder t;
    const QString base = t.path() + "/";
    touch(base + "CatData/x");
    EXPECT_EQ(resolvePath(base, "catdata\\cat00012\\LevGroup.dbf"), base + "CatData/cat00012/LevGroup.dbf");
    EXPECT_EQ(resolvePath(base, "shows\\"), base + "shows/");
    EXPECT_FALSE(pathExists(base, "catdata\\cat00012"));
}

TEST(PathResolver, PrefersTheExactSpelling)
{
    TempFolder t;
    const QString base = t.path() + "/";
    touch(base + "Results.dbf");
    touch(base + "results.dbf");
    EXPECT_EQ(resolvePath(base, "results.dbf"), base + "results.dbf");
    EXPECT_EQ(resolvePath(base, "Results.dbf"), base + "Results.dbf");
    EXPECT_EQ(resolvePath(base, "RESULTS.DBF"), base + "Results.dbf"); // first in name order
}

TEST(PathResolver, WindowsPaths)
{
    EXPECT_EQ(fromWindowsPath("catdata\\cat00001\\heights.dbf"), "catdata/cat00001/heights.dbf");
    EXPECT_EQ(fromWindowsPath("C:\\Velmora\\shows\\"), "/Velmora/shows/");
}

TEST(ProgramFolders, CreatesTheStartUpFoldersOnce)
{
    TempFolder t;
    ProgramFolders folders(t.path());
    EXPECT_EQ(folders.root(), t.path() + "/");
    EXPECT_EQ(folders.shows(), t.path() + "/shows/");
    EXPECT_EQ(folders.gendefs(), t.path() + "/gendefs.ini");
    folders.createStartupFolders();
    for (const char* name : {"shows", "userdata", "indexs"})
        EXPECT_TRUE(QDir(t.file(name)).exists()) << name;
    EXPECT_FALSE(QDir(t.file("catdata")).exists());
    EXPECT_NO_THROW(folders.createStartupFolders());
}

TEST(ProgramFolders, UsesFoldersThatExistInAnotherCase)
{
    TempFolder t;
    QDir(t.path()).mkdir("SHOWS");
    ProgramFolders folders(t.path());
    EXPECT_EQ(folders.shows(), t.path() + "/SHOWS/");
    folders.createStartupFolders();
    EXPECT_FALSE(QDir(t.file("shows")).exists());
}

TEST(ProgramFolders, AFolderThatCannotBeCreatedStopsWithItsPath)
{
    TempFolder t;
    touch(t.file("userdata")); // a file where the folder should be
    ProgramFolders folders(t.path());
    try {
        folders.createStartupFolders();
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Cannot create " + t.path() + "/userdata/");
    }
    EXPECT_TRUE(QDir(t.file("shows")).exists());   // made before the failure
    EXPECT_FALSE(QDir(t.file("indexs")).exists()); // not tried after it
}

TEST(ProgramFolders, CurrentCanBeSetByTests)
{
    TempFolder t;
    ProgramFolders::setCurrent(ProgramFolders(t.path()));
    EXPECT_EQ(ProgramFolders::current().root(), t.path() + "/");
}

#include "app/startup.h"
#include "data/dmod.h"
#include "platform/system/programfolders.h"
#include "support/qtprinters.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(StartUp, AFolderThatCannotBeCreatedIsReportedAndTheTablesAreLeftClosed)
{
    TempFolder t;
    QFile blocker(t.file("indexs")); // a file where the folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const ProgramFolders folders(t.path());

    ScriptedDialogs dialogs;
    dialogs.expectMessage("Cannot create " + t.path() + "/indexs/");
    const std::unique_ptr<TDmod> dmod = createDataModule(folders);
    ASSERT_NE(dmod, nullptr);
    EXPECT_FALSE(dmod->Members.isOpen());
    EXPECT_FALSE(dmod->ShowDates.isOpen());
    EXPECT_TRUE(QDir(t.file("shows")).exists());
    EXPECT_TRUE(QDir(t.file("userdata")).exists());
}

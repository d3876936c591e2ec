#include "platform/system/programfolders.h"
#include "support/qtprinters.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"
#include "tools/aboutbox.h"
#include "tools/calendarform.h"
#include "tools/helpviewer.h"

#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

TEST(Help, FindsTheTopicWhateverItsCase)
{
    TempFolder t;
    ProgramFolders::setCurrent(ProgramFolders(t.path()));
    QDir(t.path()).mkdir("Help");
    QFile f(t.file("Help/GateKeys.HTML"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<html><head><title>Gate Keys</title></head><body><p>How gate keys work</p></body></html>");
    f.close();
    EXPECT_EQ(helpFilePath("gatekeys"), t.file("Help/GateKeys.HTML"));

    THelpForm form(helpFilePath("gatekeys"));
    EXPECT_EQ(form.windowTitle(), "Gate Keys");
    EXPECT_TRUE(form.browser()->toPlainText().contains("How gate keys work"));
}

TEST(Help, AMissingTopicIsSaidPlainly)
{
    TempFolder t;
    ProgramFolders::setCurrent(ProgramFolders(t.path()));
    ScriptedDialogs dialogs;
    dialogs.expectMessageContaining("\"transhow2\" is not installed");
    showHelp("transhow2");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(t.path() + "/help/transhow2.html"));
}

TEST(AboutBox, ShowsNameAndVersion)
{
    TempFolder t;
    ProgramFolders::setCurrent(ProgramFolders(t.path()));
    TAboutBox box;
    EXPECT_EQ(box.findChild<QLabel*>("ProductName")->text(), "Velmora 3.6");
    EXPECT_EQ(box.findChild<QLabel*>("Version")->text(), "Program Version  - 3.6.0.0");
    EXPECT_TRUE(TVersionHistoryForm::historyText().startsWith("Velmora 3.6"));
}

TEST(Calendar, NamesAreEnglish)
{
    TempFolder t;
    ProgramFolders::setCurrent(ProgramFolders(t.path()));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TCalendarForm form;
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(form.calendar()->locale().language(), QLocale::English);
    EXPECT_EQ(form.windowTitle(), "Calendar");
}

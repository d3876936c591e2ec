#include "app/mainform.h"
#include "platform/system/inifile.h"
#include "platform/system/programfolders.h"
#include "support/qtprinters.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>

#include <gtest/gtest.h>

namespace {

// "caption" lines, nested items indented by two blanks per level; "-" is a separator.
void listMenu(const QList<QAction*>& actions, int depth, QStringList& out)
{
    for (QAction* a : actions) {
        out.append(QString(depth * 2, QLatin1Char(' ')) + (a->isSeparator() ? QStringLiteral("-") : a->text()));
        if (a->menu())
            listMenu(a->menu()->actions(), depth + 1, out);
    }
}

class MainFormTest : public ::testing::Test
{
protected:
    MainFormTest() { ProgramFolders::setCurrent(ProgramFolders(folder.path())); }
    TempFolder folder;
};

} // namespace

TEST_F(MainFormTest, TitleAndTheWholeMainMenu)
{
    TMainForm form;
    EXPECT_EQ(form.windowTitle(), "Velmora 3.6");
    QStringList menu;
    listMenu(form.menuBar()->actions(), 0, menu);
    const QStringList expected = {
        "&File", "  &New Trial", "  &Open Existing Trial", "  Close Current Trial", "  -",
        "  Import a Version 3.5 Show", "  -", "  P&rint Setup...", "  -", "  E&xit",
        "Databases", "  Premium Mailing List", "  -", "  Show Dates and Classes", "  Level Groupings ",
        "  Running Order", "  Judge Assignments", "  Judges ", "  -", "  Members && Dogs  (read only)",
        "  My Members Data", "  Juniors (read only)", "  -", "  SCT (Standard Course Times)",
        "Index", "  Last Name", "  Armband #", "  AGX ID #", "  Call Name", "  Input Order",
        "View", "  View Confirmation Slip for Current Dog", "  Show Entries in a Grid",
        "Reports", "  Print Exhibitor Confirmation Slips", "  Class Counts per Day",
        "  Need Measurements (Official Report)", "  -",
        "  Catalogs ", "    Table Catalog ", "    Preview Table Catalog (No Results)", "    Exhibitor Catalog",
        "    Exhibitor Index",
        "  Gate Steward Sheets (Preview/Print)", "    Big Font", "    Small Font",
        "  Print Scribe Sheets", "    By Level Groupings", "    For Current Dog Only",
        "    Day Of Show Labels - All Classes", "    Day Of Show for Current Dog Only", "    Blank Forms By Class",
        "  Master Lists and Counts (Owners-Dogs)", "  -", "  List of Owners && Email Addresses",
        "  Email Addresses (Separated by Commas)", "  List of Confirmations", "    Sent Via Email",
        "    NOT Sent Via Email", "  Volunteer Workers List", "  Special Notes Listing", "  -",
        "  Entries for Worker Coordinator", "  Jr Handler Q Form", "  -", "  Official AGX Report (counts)",
        "Labels", "  Exhibitor Address Labels", "  Armband Labels", "  Checkin Envelope Labels",
        "  Return Address Labels", "  -", "  Scribe Sheet Labels", "    By Level Groupings",
        "    By Individual Levels", "    Day Of Show Labels - All Classes", "    Day Of Show for Current Dog Only",
        "Tasks", "  Show Results Data Entry", "  -", "  Define Level Groupings", "  Define Running Order",
        "  Judge Assignments", "  -", "  Assign Armband #'s and Gate Keys", "  Height Changes/Corrections", "  -",
        "  Submit Show Results to AGX", "    Via Floppy Disk", "    Via Email", "  H.I.T. Determination", "  -",
        "  Transfer Data Between PC's", "    Backup A Complete Show", "    Files for HIT Merging",
        "Tools", "  Calendar", "  Calculator", "  -", "  Defaults && Options",
        "  Nationals Confirmations By Record #", "  -", "  Pack/Remove Deletes",
        "  Remove All Records from Database",
        "&Help", "  Gate Keys", "  How to Backup or Transfer a Show", "  -", "  &About...", "  Version History",
    };
    EXPECT_EQ(menu, expected);
}

TEST_F(MainFormTest, NoTrialStateAtStartUp)
{
    TMainForm form;
    EXPECT_FALSE(form.isTrialOpen());
    EXPECT_EQ(form.statusPanel(1), "Show #");
    EXPECT_EQ(form.statusPanel(2), "Rec #");
    EXPECT_EQ(form.statusPanel(3), "Current Index =");
    auto* pages = form.findChild<QStackedWidget*>();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->currentWidget(), form.backgroundPicture());

    for (const char* menu : {"Index", "View", "Reports"})
        EXPECT_FALSE(form.menu(menu)->menuAction()->isEnabled()) << menu;
    EXPECT_TRUE(form.menu("Labels")->menuAction()->isEnabled());
    EXPECT_FALSE(form.itemByPath({"Labels", "Scribe Sheet Labels"})->isEnabled());
    EXPECT_FALSE(form.itemByPath({"Tasks", "Submit Show Results to AGX"})->isEnabled());
    EXPECT_FALSE(form.itemByPath({"Index", "Last Name"})->isChecked());

    // Built commands are there; the rest wait, saying so.
    for (QStringList path : {QStringList{"&File", "E&xit"}, {"&File", "P&rint Setup..."}, {"Tools", "Calendar"},
                             {"Tools", "Calculator"}, {"&Help", "&About..."}, {"&Help", "Version History"},
                             {"&Help", "Gate Keys"}, {"Tasks", "Transfer Data Between PC's", "Backup A Complete Show"}})
        EXPECT_TRUE(form.itemByPath(path)->isEnabled()) << path.join(" > ").toStdString();
    QAction* pack = form.itemByPath({"Tools", "Pack/Remove Deletes"});
    EXPECT_FALSE(pack->isEnabled());
    EXPECT_TRUE(pack->toolTip().startsWith("Not available yet")) << pack->toolTip().toStdString();
    EXPECT_FALSE(form.itemByPath({"&File", "&New Trial"})->isEnabled());
}

TEST_F(MainFormTest, TrialStateEnablesTrialItemsOnceTheyAreBuilt)
{
    TMainForm form;
    int packs = 0;
    form.provide("PackRemoveDeletes1", [&] { ++packs; });
    QAction* pack = form.itemByPath({"Tools", "Pack/Remove Deletes"});
    EXPECT_FALSE(pack->isEnabled()) << "needs an open trial";

    form.setTrialOpenState();
    EXPECT_TRUE(pack->isEnabled());
    EXPECT_TRUE(form.itemByPath({"Index", "Last Name"})->isChecked());
    EXPECT_TRUE(form.menu("Reports")->menuAction()->isEnabled());
    EXPECT_TRUE(form.itemByPath({"Databases", "SCT (Standard Course Times)"}) != nullptr);
    EXPECT_FALSE(form.itemByPath({"Tools", "Remove All Records from Database"})->isEnabled()) << "not built";
    pack->trigger();
    EXPECT_EQ(packs, 1);

    form.setNoTrialState();
    EXPECT_FALSE(pack->isEnabled());
    EXPECT_FALSE(form.itemByPath({"Index", "Last Name"})->isChecked());
}

TEST_F(MainFormTest, ProvidedCommandsRunGuarded)
{
    TMainForm form;
    form.provide("DefaultsOptions1", [] { throw std::runtime_error("Cannot create /x/catdata/"); });
    ScriptedDialogs dialogs;
    dialogs.expectMessage("Cannot create /x/catdata/");
    form.itemByPath({"Tools", "Defaults && Options"})->trigger();
}

TEST_F(MainFormTest, PositionIsSavedOnClose)
{
    {
        TMainForm form;
        form.show();
        form.move(12, 34);
        form.close();
    }
    IniFile ini(folder.file("gendefs.ini"));
    EXPECT_EQ(ini.readInteger("TMainForm", "Top", -1), 34);
    EXPECT_EQ(ini.readInteger("TMainForm", "Left", -1), 12);
    TMainForm again;
    EXPECT_EQ(again.pos(), QPoint(12, 34));
}

TEST_F(MainFormTest, MissingHelpIsReportedNotFaked)
{
    TMainForm form;
    ScriptedDialogs dialogs;
    dialogs.expectMessageContaining("\"gatekeys\" is not installed");
    form.itemByPath({"&Help", "Gate Keys"})->trigger();
}

#include "app/entrycommands.h"
#include "app/entrygridform.h"
#include "app/entrypanel.h"
#include "app/mainform.h"
#include "entrybrowsefixture.h"
#include "platform/ui/datagrid.h"
#include "platform/ui/tablehandlers.h"
#include "setup/defaultsform.h"
#include "support/scripteddialogs.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QStringList fieldsOf(const QList<GridColumn>& columns)
{
    QStringList fields;
    for (const GridColumn& c : columns)
        fields << c.field;
    return fields;
}

// Closes the modal window that the next exec() opens, after running work on it.
void whenModal(std::function<void(QWidget*)> work)
{
    QTimer::singleShot(0, [work = std::move(work)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        work(modal);
        modal->close();
    });
}

} // namespace

using GridFormTest = EntryBrowseFixture;

TEST_F(GridFormTest, OpeningShowsPositionOrderAndTheDefaultColumns)
{
    entries().go(2);
    TShowGridForm1 form(*dmod, 12);
    EXPECT_EQ(form.windowTitle(), "ShowGridForm1");
    EXPECT_EQ(form.statusText(1), "Show # 12");
    EXPECT_EQ(form.statusText(2), "Rec #     2 /     4");
    EXPECT_EQ(form.statusText(3), "Current Index = Last Name");
    EXPECT_TRUE(form.indexItem(0)->isChecked());
    EXPECT_EQ(form.indexItem(2)->text(), "AGX ID#");
    EXPECT_EQ(form.hideDeletesItem()->text(), "Hide Deletes");
    EXPECT_EQ(fieldsOf(form.shownColumns()), fieldsOf(entryindex::defaultGridLayout()));
    EXPECT_EQ(form.shownColumns()[2].width, 244);
    EXPECT_EQ(form.grid()->model()->rowCount(), 4);

    // Read only while the window is open; the status follows the table.
    EXPECT_ANY_THROW(entries().setText("last", "X"));
    entries().last();
    EXPECT_EQ(form.statusText(2), "Rec #     2 /     4");   // Smithers is last by name
    entries().first();
    EXPECT_EQ(form.statusText(2), "Rec #     3 /     4");   // Adams

    form.CloseBtnClick();
    EXPECT_NO_THROW(entries().setText("last", "Adamson"));
    entries().cancel();
    entries().last();   // the status handler is gone
    EXPECT_EQ(form.statusText(2), "Rec #     3 /     4");
}

TEST_F(GridFormTest, LayoutIsSavedChangedAndReloaded)
{
    {
        TShowGridForm1 form(*dmod, 12);
        QHeaderView* header = form.grid()->horizontalHeader();
        header->moveSection(2, 0);                 // BREED to the front
        header->resizeSection(header->logicalIndex(0), 111);
        form.CloseBtnClick();
    }
    IniFile settings = ini();
    EXPECT_EQ(settings.readString("ShowGridFields", "TzGrid1[0]", ""), "BREED");
    EXPECT_EQ(settings.readInteger("ShowGridWidths", "TzGrid1[0]", 0), 111);
    EXPECT_EQ(settings.readString("ShowGridFields", "TzGrid1[1]", ""), "MEM_DOG_ID");
    EXPECT_EQ(settings.readString("ShowGridFields", "TzGrid1[23]", ""), "SHOW_NUM");
    EXPECT_GT(settings.readInteger("ShowGridWidths", "TzGrid1[23]", 0), 1);

    {
        // As after a restart: the saved order comes back.
        TShowGridForm1 form(*dmod, 12);
        const QList<GridColumn> shown = form.shownColumns();
        EXPECT_EQ(shown[0].field, "BREED");
        EXPECT_EQ(shown[0].width, 111);
        EXPECT_EQ(shown[1].field, "MEM_DOG_ID");
        // Moved again, then put back to the defaults at once.
        form.grid()->horizontalHeader()->moveSection(5, 1);
        form.ResetGridClick();
        EXPECT_EQ(fieldsOf(form.shownColumns()), fieldsOf(entryindex::defaultGridLayout()));
        EXPECT_EQ(form.shownColumns()[0].width, 76);
        form.CloseBtnClick();
    }
    EXPECT_EQ(ini().readString("ShowGridFields", "TzGrid1[0]", ""), "MEM_DOG_ID");
    EXPECT_EQ(ini().readString("ShowGridFields", "TzGrid1[2]", ""), "BREED");
}

TEST_F(GridFormTest, HidingDeletesLastsAfterTheGridCloses)
{
    entries().go(3);   // the deleted entry
    {
        TShowGridForm1 form(*dmod, 12);
        form.HideDeletesClick();
        EXPECT_FALSE(entries().showDeleted());
        EXPECT_EQ(form.hideDeletesItem()->text(), "Show Deletes");
        EXPECT_EQ(form.grid()->model()->rowCount(), 3);
        EXPECT_NE(entries().recNo(), 3u);
        EXPECT_TRUE(entries().isVisible());
        form.CloseBtnClick();
    }
    EXPECT_FALSE(entries().showDeleted());
    TShowGridForm1 again(*dmod, 12);
    EXPECT_EQ(again.hideDeletesItem()->text(), "Show Deletes");
    again.HideDeletesClick();
    EXPECT_TRUE(entries().showDeleted());
    EXPECT_EQ(again.grid()->model()->rowCount(), 4);
}

TEST_F(GridFormTest, OrdersAndFindInTheGrid)
{
    entryindex::EntrySearch search(entryindex::SearchWindow::Grid);
    TShowGridForm1 form(*dmod, 12, &search);
    form.IndexClick(4);
    EXPECT_EQ(entries().currentTag(), "");
    EXPECT_EQ(form.statusText(3), "Current Index = Input Order");
    EXPECT_TRUE(form.indexItem(4)->isChecked());

    ScriptedDialogs dialogs;
    dialogs.expectInput("Enter Record # to find: ", "4");
    form.FindBtnClick();
    EXPECT_EQ(entries().recNo(), 4u);
    EXPECT_EQ(form.statusText(2), "Rec #     4 /     4");
    EXPECT_EQ(form.grid()->currentIndex().row(), 3);
    EXPECT_TRUE(form.grid()->updatesEnabled());

    dialogs.expectInput("Enter Record # to find: ", "0").expectMessage("Could not find Record # 0");
    form.FindBtnClick();
    EXPECT_EQ(entries().recNo(), 4u);

    form.IndexClick(3);
    EXPECT_EQ(form.statusText(3), "Current Index = Call Name");
    dialogs.expectInput("Enter Call Name to find: ", "ace");
    form.FindBtnClick();
    EXPECT_EQ(entries().recNo(), 2u);
    EXPECT_EQ(search.lastText(), "ACE");
    form.CloseBtnClick();
}

class MainCommandsTest : public EntryBrowseFixture
{
protected:
    MainCommandsTest() : form(dmod.get()), commands(form.findChild<EntryCommands*>()) {}
    TMainForm form;
    EntryCommands* commands;
};

TEST_F(MainCommandsTest, IndexMenuSetsTheOrderChecksTheItemAndShowsTheStatus)
{
    ASSERT_NE(commands, nullptr);
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"Armband #", "Armband1", "ARMBAND", "Current Index = Armband #"},
        {"AGX ID #", "AGXID1", "IDKEY", "Current Index = AGX Member ID#"},
        {"Call Name", "CallName1", "CALLNAM", "Current Index = Call Name + Armband"},
        {"Input Order", "InputOrder1", "", "Current Index = Input Order"},
        {"Last Name", "LastName1", "NAME", "Current Index is Last Name"},
    };
    form.setTrialOpenState();
    for (const auto& [caption, name, tag, status] : cases) {
        QAction* item = form.itemByPath({"Index", caption});
        ASSERT_EQ(item, form.item(name));
        EXPECT_TRUE(item->isEnabled());
        item->trigger();
        EXPECT_EQ(entries().currentTag(), tag);
        EXPECT_TRUE(item->isChecked()) << caption;
        EXPECT_EQ(form.statusPanel(3), status);
    }
}

TEST_F(MainCommandsTest, FindKeepsItsOwnTextApartFromTheGrid)
{
    ScriptedDialogs dialogs;
    dialogs.expectInput("Enter Last Name to find: ", "jo");
    commands->FindBtnClick();
    EXPECT_EQ(entries().recNo(), 4u);
    EXPECT_EQ(commands->mainSearch().lastText(), "JO");
    EXPECT_EQ(commands->gridSearch().lastText(), "");

    form.item("InputOrder1")->trigger();
    dialogs.expectInput("Enter Record # to find: ", "0");
    commands->FindBtnClick();   // nothing happens
    EXPECT_EQ(entries().recNo(), 4u);
    dialogs.expectInput("Enter Record # to find: ", "5").expectMessage("Database only has 4 Records");
    commands->FindBtnClick();
    dialogs.expectInput("Enter Record # to find: ", "x")
        .expectMessage("'X' is not a valid integer value\r\n\r\n     Try again.");
    commands->FindBtnClick();
    EXPECT_EQ(entries().recNo(), 4u);
}

TEST_F(MainCommandsTest, GridOpensWithTheEntryHandlersOffAndItsOrderStays)
{
    auto* panel = qobject_cast<TEntryPanel*>(form.entryPanel());
    ASSERT_NE(panel, nullptr);
    form.setTrialOpenState();
    form.item("LastName1")->trigger();

    whenModal([&](QWidget* modal) {
        auto* grid = qobject_cast<TShowGridForm1*>(modal);
        ASSERT_NE(grid, nullptr);
        EXPECT_TRUE(panel->handlers().isPaused());
        grid->IndexClick(1);
        entries().last();
    });
    form.item("ShowEntriesInAGrid1")->trigger();
    EXPECT_FALSE(panel->handlers().isPaused());
    EXPECT_EQ(entries().currentTag(), "ARMBAND");
    EXPECT_TRUE(form.item("Armband1")->isChecked());
    EXPECT_EQ(form.statusPanel(3), "Current Index = Armband #");
    EXPECT_NO_THROW(entries().setText("last", "Jonas"));   // writable again
    EXPECT_TRUE(entries().post());
}

TEST_F(MainCommandsTest, TheEntryFormsFindButtonSearches)
{
    auto* panel = qobject_cast<TEntryPanel*>(form.entryPanel());
    ASSERT_NE(panel, nullptr);
    ScriptedDialogs dialogs;
    dialogs.expectInput("Enter Last Name to find: ", "smithers");
    emit panel->findRequested();
    EXPECT_EQ(entries().recNo(), 2u);
}

TEST_F(MainCommandsTest, DefaultsWindowOpensFromTheToolsMenu)
{
    bool shown = false;
    whenModal([&](QWidget* modal) {
        auto* defaults = qobject_cast<TDefaultsForm*>(modal);
        ASSERT_NE(defaults, nullptr);
        shown = true;
        EXPECT_EQ(defaults->windowTitle(), "AGX Trial Secretary Default Settings");
    });
    ScriptedDialogs dialogs;
    dialogs.expectMessageContaining("sclubs.dbf");   // no AGX club list in this folder
    form.itemByPath({"Tools", "Defaults && Options"})->trigger();
    EXPECT_TRUE(shown);
}

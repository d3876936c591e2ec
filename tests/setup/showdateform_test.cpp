#include "data/demodata.h"
#include "data/dmod.h"
#include "platform/system/gendefs.h"
#include "platform/ui/bounddateedit.h"
#include "platform/ui/boundlineedit.h"
#include "platform/ui/boundspinbox.h"
#include "platform/ui/navigator.h"
#include "setup/showdateform.h"
#include "support/scripteddialogs.h"
#include "support/demofolder.h"
#include "support/tempfolder.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kNextSteps = QStringLiteral("Next Steps for a New Show are:;  1 - Define Level Groups;  2 - Define Running "
                                          "Order;  3 - Judge Assignments;all under TASKS from main menu");
const QString kModified = QStringLiteral("You must now re-do for classes:");
const QString kSaveIt = QStringLiteral("Data has been changed - Save it?");
const QString kChangeDays = QStringLiteral("Do you really want to change the number of days?");

// As if typed: the control counts as edited.
void type(QLineEdit* edit, const QString& text)
{
    edit->setText(text);
    emit edit->textEdited(text);
}

enum Class { Standard, Colors, Wildcard, Snooker, Jackpot, FullHouse, Jumpers };

class ShowDateFormTest : public ::testing::Test
{
protected:
    ShowDateFormTest() : folders(dir.path())
    {
        ProgramFolders::setCurrent(folders);
        writeProgramFolder(folders);
        dmod = std::make_unique<TDmod>(folders);
        dmod->OpenShowDates();
        dmod->OpenShowTemplate();
    }

    // A stored trial with days 1..days, all levels, Standard twice a day.
    void addTrial(int number, int days)
    {
        xbase::Table& t = dmod->ShowDates;
        t.append();
        t.setInt("show_num", number);
        t.setInt("num_days", days);
        t.setText("show_date", "06/05/2004");
        for (int d = 1; d <= days; ++d) {
            for (const char* l : {"lev1", "lev2", "lev3", "lev4", "lev5", "levc"})
                t.setBool(QStringLiteral("d%1_").arg(d) + l, true);
            t.setInt(QStringLiteral("d%1_std").arg(d), 2);
            t.setInt(QStringLiteral("d%1_jump").arg(d), 1);
        }
        ASSERT_TRUE(t.post());
    }

    // Types what the secretary types for a new trial: days, date, Specify, one class.
    void fillNewTrial(TShowDateForm& form, int days, const QDate& first)
    {
        form.numDaysEdit()->setFocus();
        type(form.numDaysEdit(), QString::number(days));
        form.dateEdit()->setDate(first);
        form.ShowDateChange();
        form.NumDaysExit();
        form.SpecifyClassesClick();
    }

    bool rowDayLevels(int day)
    {
        bool all = true;
        for (const char* l : {"lev1", "lev2", "lev3", "lev4", "lev5", "levc"})
            all = all && dmod->ShowDates.toBool(QStringLiteral("d%1_").arg(day) + l);
        return all;
    }

    TempFolder dir;
    ProgramFolders folders;
    std::unique_ptr<TDmod> dmod;
};

} // namespace

TEST_F(ShowDateFormTest, FirstTrialGetsNumberOneAndItsFiles)
{
    ScriptedDialogs dialogs;
    TShowDateForm form(*dmod, TShowDateForm::Mode::NewTrial);
    EXPECT_EQ(form.showNumberEdit()->text(), "1");
    EXPECT_FALSE(form.editButton()->isVisibleTo(&form));
    EXPECT_FALSE(form.saveButton()->isVisibleTo(&form));
    EXPECT_TRUE(form.cancelButton()->isEnabled());
    EXPECT_TRUE(form.specifyButton()->isVisibleTo(&form));
    EXPECT_FALSE(form.specifyButton()->isEnabled());
    EXPECT_FALSE(form.navigator()->isVisibleTo(&form));

    fillNewTrial(form, 2, QDate(2004, 6, 5));
    EXPECT_FALSE(form.specifyButton()->isVisibleTo(&form));
    EXPECT_TRUE(form.navigator()->isVisibleTo(&form));
    EXPECT_FALSE(form.navigator()->isEnabled());
    EXPECT_TRUE(form.saveButton()->isEnabled());
    EXPECT_FALSE(form.editButton()->isEnabled());
    EXPECT_TRUE(form.dayBox(1)->isVisibleTo(&form));
    EXPECT_TRUE(form.dayBox(2)->isVisibleTo(&form));
    EXPECT_FALSE(form.dayBox(3)->isVisibleTo(&form));
    EXPECT_EQ(form.dayBox(1)->title(), "Day 1 - 06/05/2004");
    EXPECT_EQ(form.dayBox(2)->title(), "Day 2 - 06/06/2004");
    for (int level = 0; level < 6; ++level)
        EXPECT_TRUE(form.levelBox(2, level)->isChecked());
    EXPECT_TRUE(form.allBox(1)->isChecked());

    // Without any class the save is refused.
    dialogs.expectMessage("You haven't indicated any classes!  Please do so.");
    EXPECT_FALSE(form.SaveButtonClick());

    form.runCount(1, Standard)->setValue(2);
    EXPECT_TRUE(form.changesPending());
    dialogs.expectMessage(kNextSteps);
    ASSERT_TRUE(form.SaveButtonClick());
    EXPECT_EQ(form.createdTrial(), 1);
    const QString entries = folders.shows() + "Show-00001-06-05-2004.dbf";
    EXPECT_EQ(form.createdEntriesPath(), entries);
    EXPECT_EQ(form.createdFirstDate(), "06/05/2004");
    EXPECT_TRUE(QFileInfo::exists(entries));
    EXPECT_TRUE(QFileInfo(folders.catdata() + "cat00001").isDir());
    EXPECT_TRUE(dmod->TzDbf1.isOpen());
    EXPECT_EQ(dmod->TzDbf1.path(), entries);
    EXPECT_EQ(GenDefs(folders.gendefs()).lastOpenedShow(), entries);
    EXPECT_FALSE(form.isNewTrial());
    EXPECT_TRUE(form.navigator()->isEnabled());

    EXPECT_TRUE(form.CloseButtonClick());
    EXPECT_EQ(dmod->ShowDates.state(), xbase::Table::State::Browse);
    ASSERT_EQ(dmod->ShowDates.recordCount(), 1u);
    dmod->ShowDates.first();
    EXPECT_EQ(dmod->ShowDates.toInt("show_num"), 1);
    EXPECT_EQ(dmod->ShowDates.toInt("num_days"), 2);
    EXPECT_EQ(dmod->ShowDates.toInt("d1_std"), 2);
    EXPECT_TRUE(rowDayLevels(1));
    EXPECT_TRUE(rowDayLevels(2));
    EXPECT_FALSE(rowDayLevels(3));
}

TEST_F(ShowDateFormTest, NextNumberAfterOneTwoAndSevenIsEight)
{
    addTrial(1, 1);
    addTrial(2, 1);
    addTrial(7, 1);
    ScriptedDialogs dialogs;
    TShowDateForm form(*dmod, TShowDateForm::Mode::NewTrial);
    EXPECT_EQ(form.showNumberEdit()->text(), "8");
    EXPECT_TRUE(form.CloseButtonClick());
    // Closed without saving: no row added, nothing left in insert state.
    EXPECT_EQ(dmod->ShowDates.recordCount(), 3u);
    EXPECT_EQ(dmod->ShowDates.state(), xbase::Table::State::Browse);
    EXPECT_FALSE(dmod->TzDbf1.isOpen());
}

TEST_F(ShowDateFormTest, AllAndLevelBoxes)
{
    addTrial(1, 2);
    ScriptedDialogs dialogs;
    TShowDateForm form(*dmod, TShowDateForm::Mode::Edit);
    // Loaded from the row: every level offered, so "All" is checked.
    EXPECT_TRUE(form.allBox(2)->isChecked());
    EXPECT_TRUE(form.editButton()->isEnabled());
    EXPECT_FALSE(form.saveButton()->isEnabled());

    // Unchecking "3" unchecks "All", leaves the other five.
    form.levelBox(2, 2)->setChecked(false);
    form.LevelBoxClick(2, 2);
    EXPECT_FALSE(form.allBox(2)->isChecked());
    for (int level : {0, 1, 3, 4, 5})
        EXPECT_TRUE(form.levelBox(2, level)->isChecked());
    EXPECT_TRUE(form.changesPending());
    EXPECT_EQ(dmod->ShowDates.state(), xbase::Table::State::Edit);

    // Checking "All" checks all six again; unchecking "All" leaves the levels alone.
    form.allBox(2)->setChecked(true);
    form.AllBoxClick(2);
    for (int level = 0; level < 6; ++level)
        EXPECT_TRUE(form.levelBox(2, level)->isChecked());
    form.levelBox(2, 5)->setChecked(false);
    form.LevelBoxClick(2, 5);
    form.allBox(1)->setChecked(false);
    form.AllBoxClick(1);
    EXPECT_TRUE(form.levelBox(1, 0)->isChecked());

    dialogs.expectMessageContaining(kModified);
    ASSERT_TRUE(form.SaveButtonClick());
    EXPECT_FALSE(dmod->ShowDates.toBool("d2_levc"));
    EXPECT_TRUE(dmod->ShowDates.toBool("d2_lev3"));
    EXPECT_TRUE(dmod->ShowDates.toBool("d1_levc"));
    EXPECT_TRUE(form.CloseButtonClick());
}

TEST_F(ShowDateFormTest, ReducingTheDaysKeepsTheRunCounts)
{
    addTrial(1, 3);
    ScriptedDialogs dialogs;
    TShowDateForm form(*dmod, TShowDateForm::Mode::Edit);
    EXPECT_TRUE(form.dayBox(3)->isVisibleTo(&form));

    type(form.numDaysEdit(), "2");
    dialogs.expectMessageContaining(kChangeDays, "Yes");
    form.NumDaysExit();
    EXPECT_FALSE(form.dayBox(3)->isVisibleTo(&form));
    EXPECT_FALSE(form.levelBox(3, 0)->isChecked());
    EXPECT_TRUE(form.changesPending());

    dialogs.expectMessageContaining(kModified);
    ASSERT_TRUE(form.SaveButtonClick());
    EXPECT_EQ(dmod->ShowDates.toInt("num_days"), 2);
    EXPECT_FALSE(dmod->ShowDates.toBool("d3_lev1"));
    EXPECT_FALSE(dmod->ShowDates.toBool("d3_levc"));
    EXPECT_EQ(dmod->ShowDates.toInt("d3_std"), 2);   // kept
    EXPECT_EQ(dmod->ShowDates.toInt("d3_jump"), 1);
    EXPECT_TRUE(rowDayLevels(2));

    // Back to three days: day 3 comes back with every level.
    type(form.numDaysEdit(), "3");
    dialogs.expectMessageContaining(kChangeDays, "Yes");
    form.NumDaysExit();
    EXPECT_TRUE(form.dayBox(3)->isVisibleTo(&form));
    EXPECT_TRUE(form.allBox(3)->isChecked());

    // "No" puts the number back.
    type(form.numDaysEdit(), "1");
    dialogs.expectMessageContaining(kChangeDays, "No");
    form.NumDaysExit();
    EXPECT_EQ(form.numDaysEdit()->text(), "3");
    dialogs.expectMessageContaining(kModified);
    ASSERT_TRUE(form.SaveButtonClick());
    EXPECT_EQ(dmod->ShowDates.toInt("num_days"), 3);
    EXPECT_TRUE(rowDayLevels(3));
    EXPECT_TRUE(form.CloseButtonClick());
}

TEST_F(ShowDateFormTest, EverySaveInEditModeSaysTheClassesMustBeRedone)
{
    addTrial(1, 1);
    ScriptedDialogs dialogs;
    TShowDateForm form(*dmod, TShowDateForm::Mode::Edit);
    EXPECT_EQ(form.statusText(1), "Rec #     1 /     1");
    EXPECT_EQ(form.statusText(2), "Current Index = Show Number");
    for (int round = 0; round < 2; ++round) {
        form.EditButtonClick();
        EXPECT_FALSE(form.editButton()->isEnabled());
        EXPECT_TRUE(form.saveButton()->isEnabled());
        dialogs.expectMessageContaining(kModified);
        ASSERT_TRUE(form.SaveButtonClick());
        ASSERT_FALSE(dialogs.messages().isEmpty());
        EXPECT_EQ(dialogs.messages().last().title, "Classes Have Been Modified");
        EXPECT_EQ(dialogs.messages().last().icon, MessageIcon::Exclamation);
    }
    EXPECT_TRUE(form.CloseButtonClick());
}

TEST_F(ShowDateFormTest, MoreThanFourDaysIsRefused)
{
    ScriptedDialogs dialogs;
    TShowDateForm form(*dmod, TShowDateForm::Mode::NewTrial);
    type(form.numDaysEdit(), "5");
    dialogs.expectMessage(TShowDateForm::kMaxDaysMessage);
    form.NumDaysExit();
    form.dateEdit()->setDate(QDate(2004, 6, 5));
    form.ShowDateChange();
    dialogs.expectMessage(TShowDateForm::kMaxDaysMessage);
    form.SpecifyClassesClick();
    EXPECT_TRUE(form.specifyButton()->isVisibleTo(&form));

    // Even typed after the classes were specified, Save refuses it.
    type(form.numDaysEdit(), "4");
    form.SpecifyClassesClick();
    form.runCount(4, Jumpers)->setValue(1);
    type(form.numDaysEdit(), "6");
    dialogs.expectMessage(TShowDateForm::kMaxDaysMessage);
    EXPECT_FALSE(form.SaveButtonClick());
    EXPECT_EQ(dmod->ShowDates.recordCount(), 0u);
    EXPECT_EQ(form.createdTrial(), 0);
    dialogs.expectMessage(kSaveIt, "No");
    EXPECT_TRUE(form.CloseButtonClick());
    EXPECT_EQ(dmod->ShowDates.recordCount(), 0u);
}

TEST_F(ShowDateFormTest, CloseWithChangesAsksAndYesReallySaves)
{
    addTrial(1, 2);
    addTrial(2, 1);
    dmod->ShowDates.first();   // the window edits the current row
    {
        ScriptedDialogs dialogs;
        TShowDateForm form(*dmod, TShowDateForm::Mode::Edit);
        form.closeButton()->setFocus();   // Save itself does nothing while Close has the focus
        form.runCount(1, Colors)->setValue(1);
        dialogs.expectMessage(kSaveIt, "Yes");
        dialogs.expectMessageContaining(kModified);
        EXPECT_TRUE(form.CloseButtonClick());
        EXPECT_EQ(dmod->ShowDates.state(), xbase::Table::State::Browse);
    }
    dmod->ShowDates.first();
    EXPECT_EQ(dmod->ShowDates.toInt("d1_clrs"), 1);

    {
        // Yes with nothing to save: Save's check speaks and the window stays open.
        ScriptedDialogs dialogs;
        TShowDateForm form(*dmod, TShowDateForm::Mode::Edit);
        form.runCount(1, Standard)->setValue(0);
        form.runCount(1, Jumpers)->setValue(0);
        form.runCount(1, Colors)->setValue(0);
        form.runCount(2, Standard)->setValue(0);
        form.runCount(2, Jumpers)->setValue(0);
        dialogs.expectMessage(kSaveIt, "Yes");
        dialogs.expectMessage("You haven't indicated any classes!  Please do so.");
        EXPECT_FALSE(form.CloseButtonClick());
        // No drops the change.
        dialogs.expectMessage(kSaveIt, "No");
        EXPECT_TRUE(form.CloseButtonClick());
        EXPECT_EQ(dmod->ShowDates.state(), xbase::Table::State::Browse);
    }
    dmod->ShowDates.first();
    EXPECT_EQ(dmod->ShowDates.toInt("d1_std"), 2);
}

TEST_F(ShowDateFormTest, MovingWithChangesAsksFirst)
{
    addTrial(1, 1);
    addTrial(2, 1);
    ScriptedDialogs dialogs;
    TShowDateForm form(*dmod, TShowDateForm::Mode::Edit);
    dmod->ShowDates.first();
    form.navigator()->trigger(Navigator::First);
    form.runCount(1, Wildcard)->setValue(2);
    dialogs.expectMessage(kSaveIt, "No");
    ASSERT_TRUE(form.navigator()->trigger(Navigator::Next));
    EXPECT_EQ(dmod->ShowDates.toInt("show_num"), 2);
    EXPECT_EQ(form.statusText(1), "Rec #     2 /     2");
    EXPECT_FALSE(form.changesPending());
    EXPECT_TRUE(form.editButton()->isEnabled());
    dmod->ShowDates.first();
    EXPECT_EQ(dmod->ShowDates.toInt("d1_wild"), 0);
    EXPECT_TRUE(form.CloseButtonClick());
}

TEST_F(ShowDateFormTest, CancelDropsTheNewRowAndMissingFieldsAreReported)
{
    addTrial(1, 1);
    ScriptedDialogs dialogs;
    TShowDateForm form(*dmod, TShowDateForm::Mode::NewTrial);
    dialogs.expectMessage("You must specify the Number of Days");
    form.NumDaysExit();
    type(form.dateEdit(), "13/45/2004");
    dialogs.expectMessage("You must specify a Show Date");
    form.ShowDateExit();

    form.CancelButtonClick();
    EXPECT_FALSE(form.isNewTrial());
    EXPECT_FALSE(form.specifyButton()->isVisibleTo(&form));
    EXPECT_TRUE(form.editButton()->isEnabled());
    EXPECT_FALSE(form.saveButton()->isEnabled());
    EXPECT_EQ(dmod->ShowDates.recordCount(), 1u);
    EXPECT_EQ(dmod->ShowDates.state(), xbase::Table::State::Browse);
    EXPECT_TRUE(form.CloseButtonClick());
    EXPECT_EQ(dmod->ShowDates.recordCount(), 1u);
}

// With VELMORA_SHOTS set to a folder, the window is drawn there as PNG for a look by eye.
TEST_F(ShowDateFormTest, PictureOfTheWindow)
{
    const QString shots = qEnvironmentVariable("VELMORA_SHOTS");
    if (shots.isEmpty())
        GTEST_SKIP() << "VELMORA_SHOTS not set";
    addTrial(1, 3);
    ScriptedDialogs dialogs;
    {
        TShowDateForm form(*dmod, TShowDateForm::Mode::Edit);
        form.show();
        EXPECT_TRUE(form.grab().save(QDir(shots).filePath("showdateform.png")));
        form.CloseButtonClick();
    }
    TShowDateForm fresh(*dmod, TShowDateForm::Mode::NewTrial);
    fresh.show();
    EXPECT_TRUE(fresh.grab().save(QDir(shots).filePath("showdateform-new.png")));
    fresh.CloseButtonClick();
}

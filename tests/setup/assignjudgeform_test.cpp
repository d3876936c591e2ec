#include "setup/assignjudgeform.h"
#include "setup/judgeassign.h"
#include "setupfixture.h"
#include "support/qtprinters.h"
#include "support/scripteddialogs.h"

#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>

using setup::kNoneAssigned;

namespace {

class AssignJudgeFormTest : public SetupFixture
{
protected:
    void SetUp() override
    {
        groupedTrial(2);   // each day: Standard 1, 2, 3, 45C; Jumpers 12, 345C
        QDir().mkpath(path("agxdata"));
        dmod->OpenJudges();
        for (const char* code : {"YOUNG M", "ADAMS P", "XAVIER Q", "GONE G"}) {
            dmod->Judges.append();
            dmod->Judges.setText("judgecode", code);
            dmod->Judges.setDeleted(QLatin1String(code) == QLatin1String("GONE G"));
            ASSERT_TRUE(dmod->Judges.post());
        }
    }

    std::unique_ptr<TAssignJudgeForm> open()
    {
        auto form = std::make_unique<TAssignJudgeForm>(*dmod, 12);
        form->show();
        return form;
    }

    // Add (or Replace) through the selector: choose the code, then Okay.
    static void choose(TAssignJudgeForm& form, const QString& code, bool replace = false)
    {
        replace ? form.ReplaceJudgeClick() : form.AddJudgeClick();
        ASSERT_TRUE(form.selectorShown());
        const int i = form.selector()->findText(code);
        ASSERT_GE(i, 0) << code.toStdString();
        form.selector()->setCurrentIndex(i);
        form.SelectorChange();
        ASSERT_TRUE(form.okayButton()->isVisibleTo(&form));
        form.OkayClick();
    }

    static void check(TAssignJudgeForm& form, const QStringList& texts)
    {
        QListWidget* list = form.checkList();
        for (int i = 0; i < list->count(); ++i)
            if (texts.contains(list->item(i)->text()))
                list->item(i)->setCheckState(Qt::Checked);
    }

    int rowsOfDay(int day)
    {
        int n = 0;
        xbase::ScanCursor s = dmod->ShwJudges.scan();
        for (bool ok = s.first(); ok && !s.eof(); ok = s.next())
            n += s.trimmed("day_num") == QString::number(day);
        return n;
    }
};

} // namespace

TEST_F(AssignJudgeFormTest, OpensOnDayOneWithNoJudgesAndTheWorkTable)
{
    ScriptedDialogs dialogs;
    auto form = open();
    EXPECT_EQ(form->windowTitle(), "Judge Assigments ");
    ASSERT_EQ(form->dayTabs()->count(), 2);
    EXPECT_EQ(form->dayTabs()->tabText(1), "Day 2");
    EXPECT_EQ(form->dateText(), "Saturday  06/05/2004");
    EXPECT_EQ(form->judgeItems(), QStringList{kNoneAssigned});
    EXPECT_EQ(form->classItems(), QStringList{kNoneAssigned});
    EXPECT_FALSE(form->selectorShown());
    EXPECT_FALSE(form->checkListShown());
    EXPECT_TRUE(QFile::exists(form->workPath()));
    form->dayTabs()->setCurrentIndex(1);
    EXPECT_EQ(form->dateText(), "Sunday  06/06/2004");
    const QString work = form->workPath();
    form->CloseClick();
    EXPECT_FALSE(QFile::exists(work));
}

TEST_F(AssignJudgeFormTest, AddingJudgesAndCheckingTheirClasses)
{
    ScriptedDialogs dialogs;
    auto form = open();
    form->AddJudgeClick();
    QStringList offered;
    for (int i = 0; i < form->selector()->count(); ++i)
        offered << form->selector()->itemText(i);
    EXPECT_EQ(offered, (QStringList{"ADAMS P", "XAVIER Q", "YOUNG M"}));   // deleted judge left out
    form->SelectorCancelClick();
    EXPECT_FALSE(form->selectorShown());

    choose(*form, "YOUNG M");
    EXPECT_EQ(form->judgeItems(), QStringList{"YOUNG M"});
    EXPECT_EQ(form->currentJudge(), "YOUNG M");
    EXPECT_EQ(form->classItems(), QStringList{kNoneAssigned});
    EXPECT_EQ(rowsOfDay(1), 1);   // the placeholder

    form->AddChangeClassesClick();
    ASSERT_TRUE(form->checkListShown());
    EXPECT_EQ(form->checkItems(),
              (QStringList{"Jumpers Round 1 Levels 12", "Jumpers Round 1 Levels 345C", "Standard Round 1 Level 1",
                           "Standard Round 1 Level 2", "Standard Round 1 Level 3", "Standard Round 1 Levels 45C"}));
    EXPECT_TRUE(form->checkedItems().isEmpty());
    check(*form, {"Standard Round 1 Level 3", "Jumpers Round 1 Levels 345C"});
    EXPECT_TRUE(form->changed());
    form->SaveClick();
    EXPECT_FALSE(form->checkListShown());
    EXPECT_EQ(form->classItems(), (QStringList{"Jumpers Round 1 Levels 345C", "Standard Round 1 Level 3"}));
    EXPECT_EQ(rowsOfDay(1), 2);

    // Opening the check list again shows the classes checked; Select All checks the rest.
    form->AddChangeClassesClick();
    EXPECT_EQ(form->checkedItems(), (QStringList{"Jumpers Round 1 Levels 345C", "Standard Round 1 Level 3"}));
    form->SelectAllClick();
    EXPECT_EQ(form->checkedItems().size(), 6);
    form->CancelClick();
    EXPECT_EQ(rowsOfDay(1), 2);

    // Saving an empty check list leaves one placeholder; the judge is still listed later.
    form->AddChangeClassesClick();
    for (int i = 0; i < form->checkList()->count(); ++i)
        form->checkList()->item(i)->setCheckState(Qt::Unchecked);
    form->SaveClick();
    EXPECT_EQ(form->classItems(), QStringList{kNoneAssigned});
    EXPECT_EQ(rowsOfDay(1), 1);
    form->dayTabs()->setCurrentIndex(1);
    EXPECT_EQ(form->judgeItems(), QStringList{kNoneAssigned});
    form->dayTabs()->setCurrentIndex(0);
    EXPECT_EQ(form->judgeItems(), QStringList{"YOUNG M"});
}

// The check list is saved for the judge it was opened for, whatever is highlighted by then.
TEST_F(AssignJudgeFormTest, CheckListBelongsToTheJudgeItWasOpenedFor)
{
    ScriptedDialogs dialogs;
    auto form = open();
    choose(*form, "ADAMS P");
    form->AddChangeClassesClick();
    check(*form, {"Standard Round 1 Level 1"});
    form->SaveClick();
    choose(*form, "YOUNG M");
    ASSERT_EQ(form->currentJudge(), "YOUNG M");

    form->AddChangeClassesClick();
    EXPECT_FALSE(form->judgeList()->isEnabled()) << "no other judge can be picked meanwhile";
    check(*form, {"Jumpers Round 1 Levels 12"});
    form->judgeList()->setCurrentRow(int(form->judgeItems().indexOf("ADAMS P")));
    form->SaveClick();
    EXPECT_TRUE(form->judgeList()->isEnabled());
    form->judgeList()->setCurrentRow(int(form->judgeItems().indexOf("ADAMS P")));
    form->JudgeListClick();
    EXPECT_EQ(form->classItems(), QStringList{"Standard Round 1 Level 1"});
    form->judgeList()->setCurrentRow(int(form->judgeItems().indexOf("YOUNG M")));
    form->JudgeListClick();
    EXPECT_EQ(form->classItems(), QStringList{"Jumpers Round 1 Levels 12"});
}

TEST_F(AssignJudgeFormTest, ReplacingJudgeOnDayTwoOnly)
{
    ScriptedDialogs dialogs;
    auto form = open();
    choose(*form, "XAVIER Q");
    form->AddChangeClassesClick();
    check(*form, {"Standard Round 1 Level 1"});
    form->SaveClick();
    form->dayTabs()->setCurrentIndex(1);
    choose(*form, "XAVIER Q");
    form->AddChangeClassesClick();
    check(*form, {"Standard Round 1 Level 2", "Jumpers Round 1 Levels 12"});
    form->SaveClick();

    choose(*form, "YOUNG M", true);   // Replace Judge
    EXPECT_EQ(form->judgeItems(), QStringList{"YOUNG M"});
    EXPECT_EQ(form->classItems(), (QStringList{"Jumpers Round 1 Levels 12", "Standard Round 1 Level 2"}));
    form->dayTabs()->setCurrentIndex(0);
    EXPECT_EQ(form->judgeItems(), QStringList{"XAVIER Q"});
    EXPECT_EQ(form->classItems(), QStringList{"Standard Round 1 Level 1"});
}

TEST_F(AssignJudgeFormTest, DeletingTheOnlyJudgeOfADay)
{
    ScriptedDialogs dialogs;
    auto form = open();
    choose(*form, "ADAMS P");
    form->AddChangeClassesClick();
    form->SelectAllClick();
    form->SaveClick();
    EXPECT_EQ(rowsOfDay(1), 6);

    dialogs.expectMessage(setup::kDeleteJudgeText, "Cancel");
    form->DeleteJudgeClick();
    EXPECT_EQ(rowsOfDay(1), 6);
    dialogs.expectMessage(setup::kDeleteJudgeText, "Okay");
    form->DeleteJudgeClick();
    EXPECT_EQ(dialogs.messages().last().title, "Delete A Judge");
    EXPECT_EQ(dialogs.messages().last().buttons, (QStringList{"Okay", "Cancel"}));
    EXPECT_EQ(form->judgeItems(), QStringList{kNoneAssigned});
    EXPECT_EQ(form->classItems(), QStringList{kNoneAssigned});
    EXPECT_EQ(rowsOfDay(1), 0);
    EXPECT_EQ(dmod->ShwJudges.recordCount(), 0u);
}

TEST_F(AssignJudgeFormTest, AddingAJudgeTwiceListsThemTwice)
{
    ScriptedDialogs dialogs;
    auto form = open();
    choose(*form, "ADAMS P");
    choose(*form, "ADAMS P");
    EXPECT_EQ(form->judgeItems(), (QStringList{"ADAMS P", "ADAMS P"}));
    EXPECT_EQ(rowsOfDay(1), 2);
}

#include "platform/ui/boundlineedit.h"
#include "setup/getsctform.h"
#include "setup/runorder.h"
#include "setup/sctform.h"
#include "setupfixture.h"
#include "support/qtprinters.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

using namespace setup;

namespace {

class SctFormTest : public SetupFixture
{
protected:
    // Defines trial 12, groups every class and run of it (Standard-type classes by
    // level, the games 12 / 3 / 45C, FullHouse all in one) and builds the running order.
    void trial(const QDate& first, const QList<DaySpec>& days)
    {
        defineTrial(12, first, days);
        const TrialOffer offer = *findTrial(*dmod, 12);
        buildLevGroup(*dmod, offer);
        for (const LevGroupRow& row : readLevGroupRows(dmod->LevGroup)) {
            QStringList groups;
            if (row.classname == "FullHouse")
                groups = {row.available};
            else
                groups = {row.available};   // one group of all levels is enough to run the class
            setGroups(row.day + row.round + row.classname, groups);
        }
        buildRunOrder(*dmod, offer);
        dmod->ClearTrialDateKey();
        ASSERT_TRUE(dmod->SetTrialDateKey(12));
    }

    std::unique_ptr<TSCTForm> open()
    {
        auto form = std::make_unique<TSCTForm>(*dmod, 12);
        form->show();
        return form;
    }

    static void type(BoundLineEdit* box, const QString& text)
    {
        ASSERT_TRUE(box);
        box->setText(text);
        emit box->textEdited(text);
    }

    // The stored row of a key, read from a fresh open of the table.
    std::optional<std::map<QString, QString>> stored(int day, const QString& classname, const QString& round,
                                                     const QString& level)
    {
        dmod->OpenSCTInfo("00012");
        xbase::ScanCursor s = dmod->SCTInfo.scan();
        s.setCurrentTag("LOOKUP");
        if (!s.seek(sctKey(day, classname, round, level)))
            return std::nullopt;
        std::map<QString, QString> row;
        for (const char* f : {"yards", "time8", "time16", "time8_2", "time16_2", "e_time8", "e_time16", "levels"})
            row[f] = s.trimmed(f);
        return row;
    }

    int sctRows()
    {
        dmod->OpenSCTInfo("00012");
        return int(dmod->SCTInfo.recordCount());
    }

    void selectLevel(TSCTForm& form, const QString& caption)
    {
        const int i = int(form.levelTabTexts().indexOf(caption));
        ASSERT_GE(i, 0) << caption.toStdString();
        form.levelTabs(form.page())->setCurrentIndex(i);
    }
};

} // namespace

TEST_F(SctFormTest, DayTabsNameTheWeekdayAndPagesFollowTheRunningOrder)
{
    trial(QDate(2004, 6, 5), {{"12345C", {{"std", 1}, {"snok", 1}}}, {"12345C", {{"jump", 1}, {"full", 1}}}});
    ScriptedDialogs dialogs;
    auto form = open();
    EXPECT_EQ(form->windowTitle(), "Standard Course Times");
    EXPECT_EQ(form->dayTabTexts(), (QStringList{"Day 1 - Sat", "Day 2 - Sun"}));
    EXPECT_EQ(form->visiblePages(), (QStringList{"Standard", "Snooker"}));
    EXPECT_FALSE(form->saveButton()->isEnabled());
    EXPECT_FALSE(form->cancelButton()->isEnabled());
    // A day with only Jumpers and FullHouse shows those two pages, Jumpers first.
    form->dayTabs()->setCurrentIndex(1);
    EXPECT_EQ(form->visiblePages(), (QStringList{"Jumpers", "FullHouse"}));
    EXPECT_EQ(form->page(), "Jumpers");
    EXPECT_EQ(form->key().levelKey, "1");
    EXPECT_EQ(form->box("Jumpers", "day_num")->text(), "2");
}

TEST_F(SctFormTest, LevelTabsOfADayOfferingTwoThreeAndFour)
{
    trial(QDate(2010, 5, 1), {{"234", {{"std", 1}, {"snok", 1}}}});
    ScriptedDialogs dialogs;
    auto form = open();
    EXPECT_EQ(form->levelTabTexts(), (QStringList{"Level 2", "Level 3", "Level 4-5-C"}));
    EXPECT_EQ(form->key().levelKey, "2");
    EXPECT_TRUE(stored(1, "Standard", "1", "2"));
    selectLevel(*form, "Level 4-5-C");
    EXPECT_EQ(form->key().levelKey, "45C");
    selectLevel(*form, "Level 2");
    type(form->box("Standard", "yards"), "180");
    EXPECT_TRUE(form->saveButton()->isEnabled());
    form->SaveButtonClick();
    EXPECT_FALSE(form->saveButton()->isEnabled());
    form->pages()->setCurrentIndex(4);   // Snooker
    EXPECT_EQ(form->levelTabTexts(), (QStringList{"Level 1 & 2", "Level 3", "Level 4-5-C"}));
    form.reset();
    EXPECT_EQ(stored(1, "Standard", "1", "2")->at("yards"), "180");
    EXPECT_EQ(sctRows(), 3);   // Standard 2 and 45C, Snooker 12
}

TEST_F(SctFormTest, OnlyFiveAndCShowsNoHigherTabForStandardButDoesForSnooker)
{
    trial(QDate(2010, 5, 1), {{"5C", {{"std", 1}, {"snok", 1}}}});
    ScriptedDialogs dialogs;
    auto form = open();
    EXPECT_EQ(form->page(), "Standard");
    EXPECT_TRUE(form->levelTabTexts().isEmpty());
    EXPECT_FALSE(form->rowShown());
    EXPECT_EQ(form->box("Standard", "time8")->text(), "");
    form->pages()->setCurrentIndex(4);
    EXPECT_EQ(form->levelTabTexts(), QStringList{"Level 4-5-C"});
    EXPECT_TRUE(form->rowShown());
    form.reset();
    EXPECT_EQ(sctRows(), 1);
}

TEST_F(SctFormTest, SecondRunTabOnlyForClassesRunTwice)
{
    trial(QDate(2010, 5, 1), {{"12345C", {{"std", 2}, {"jump", 1}}}});
    ScriptedDialogs dialogs;
    auto form = open();
    EXPECT_EQ(form->runTabTexts(), (QStringList{"ROUND 1", "ROUND 2"}));
    form->runTabs("Standard")->setCurrentIndex(1);
    EXPECT_EQ(form->key().round, "2");
    EXPECT_EQ(form->box("Standard", "round")->text(), "2");
    form->pages()->setCurrentIndex(3);
    EXPECT_EQ(form->page(), "Jumpers");
    EXPECT_EQ(form->runTabTexts(), QStringList{"ROUND 1"});
}

TEST_F(SctFormTest, FullHouseRowIsCreatedOnceWithItsDefaults)
{
    trial(QDate(2010, 5, 1), {{"12345C", {{"full", 1}}}});
    ScriptedDialogs dialogs;
    auto form = open();
    EXPECT_EQ(form->page(), "FullHouse");
    EXPECT_EQ(form->box("FullHouse", "time8")->text(), "35");
    EXPECT_EQ(form->box("FullHouse", "time16")->text(), "30");
    EXPECT_EQ(form->box("FullHouse", "time8_2")->text(), "40");
    EXPECT_EQ(form->box("FullHouse", "time16_2")->text(), "35");
    EXPECT_TRUE(form->box("FullHouse", "time8")->isReadOnly());
    form.reset();
    form = open();
    form.reset();
    EXPECT_EQ(sctRows(), 1);
    EXPECT_EQ(stored(1, "FullHouse", "1", "12345C")->at("time8_2"), "40");
}

TEST_F(SctFormTest, EnthusiastTimesFollowTheRegularTimes)
{
    trial(QDate(2010, 5, 1), {{"12345C", {{"std", 1}}}});
    ScriptedDialogs dialogs;
    auto form = open();
    EXPECT_TRUE(form->box("Standard", "e_time8.Enthusiast")->isReadOnly());
    type(form->box("Standard", "time8"), "32");
    form->TimeBoxExit("time8");
    EXPECT_EQ(form->box("Standard", "e_time8.Specialist")->text(), "37");
    type(form->box("Standard", "time16"), "30");
    form->TimeBoxExit("time16");
    form->SaveButtonClick();
    form.reset();
    const auto row = stored(1, "Standard", "1", "1");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->at("e_time8"), "37");
    EXPECT_EQ(row->at("e_time16"), "35");
}

TEST_F(SctFormTest, ColorsAddsThreeBefore2009)
{
    for (const auto& [date, expected] : {std::pair{QDate(2008, 12, 31), "35"}, std::pair{QDate(2009, 1, 1), "37"}}) {
        trial(date, {{"12345C", {{"clrs", 1}}}});
        ScriptedDialogs dialogs;
        auto form = open();
        ASSERT_EQ(form->page(), "Colors");
        EXPECT_FALSE(form->box("Colors", "e_time8.Enthusiast")->isReadOnly());
        type(form->box("Colors", "time8"), "32");
        form->TimeBoxExit("time8");
        form->SaveButtonClick();
        form.reset();
        EXPECT_EQ(stored(1, "Colors", "1", "1")->at("e_time8"), expected) << date.toString().toStdString();
        dmod->SCTInfo.close();
    }
}

// A tab clicked while a time box has the focus takes the focus first, so the box is left
// (and its Enthusiast time worked out) for the row typed into, not for the row shown next.
TEST_F(SctFormTest, ClickingALevelTabLeavesTheTimeBoxForItsOwnRow)
{
    trial(QDate(2010, 5, 1), {{"12345C", {{"clrs", 1}}}});
    ScriptedDialogs dialogs;
    auto form = open();
    QApplication::setActiveWindow(form.get());
    QTabBar* levels = form->levelTabs("Colors");
    ASSERT_GE(levels->count(), 2);
    levels->setCurrentIndex(1);
    type(form->box("Colors", "e_time8.Enthusiast"), "99");   // typed over by hand
    form->SaveButtonClick();
    levels->setCurrentIndex(0);

    BoundLineEdit* time8 = form->box("Colors", "time8");
    time8->setFocus();
    type(time8, "32");
    QApplication::processEvents();   // lay the window out, as it is before anyone can click
    // Through the window, as a real click arrives: that is where the focus moves.
    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                      levels->mapTo(form.get(), levels->tabRect(1).center()));
    ASSERT_EQ(levels->currentIndex(), 1);
    EXPECT_NE(QApplication::focusWidget(), time8);
    EXPECT_FALSE(form->saveButton()->isEnabled()) << "the row shown next is left as it was";
    EXPECT_EQ(form->box("Colors", "e_time8.Enthusiast")->text(), "99");
    form.reset();
    EXPECT_EQ(stored(1, "Colors", "1", "1")->at("e_time8"), "37");
    EXPECT_EQ(stored(1, "Colors", "1", "2")->at("e_time8"), "99");
}

TEST_F(SctFormTest, TimesThatAreNotWholeSecondsAreRefused)
{
    trial(QDate(2010, 5, 1), {{"12345C", {{"std", 1}}}});
    ScriptedDialogs dialogs;
    auto form = open();
    type(form->box("Standard", "time8"), "32.5");
    dialogs.expectMessage(notWholeSecondsText("32.5"));
    form->TimeBoxExit("time8");
    EXPECT_EQ(form->box("Standard", "e_time8.Enthusiast")->text(), "");
    dialogs.expectMessage(notWholeSecondsText("32.5"));
    form->SaveButtonClick();
    EXPECT_TRUE(form->saveButton()->isEnabled());   // still being edited
    // Moving to another level is refused too, so the entry cannot slip through.
    dialogs.expectMessage(notWholeSecondsText("32.5"));
    selectLevel(*form, "Level 2");
    EXPECT_EQ(form->key().levelKey, "1");
    EXPECT_EQ(form->levelTabs("Standard")->currentIndex(), 0);
    type(form->box("Standard", "time8"), "32");
    form->SaveButtonClick();
    EXPECT_FALSE(form->saveButton()->isEnabled());
    form.reset();
    EXPECT_EQ(stored(1, "Standard", "1", "1")->at("time8"), "32");
}

// The combined Snooker/Jackpot tab: saved under "12" and found under "1" and "2".
TEST_F(SctFormTest, CombinedGameLevelIsWrittenWhereResultsEntryLooks)
{
    trial(QDate(2010, 5, 1), {{"12345C", {{"snok", 1}}}});
    ScriptedDialogs dialogs;
    auto form = open();
    EXPECT_EQ(form->key().levelKey, "12");
    type(form->box("Snooker", "time8"), "55");
    type(form->box("Snooker", "time16"), "50");
    form->CloseButtonClick();
    form.reset();
    for (const char* level : {"1", "2", "12"}) {
        const auto row = stored(1, "Snooker", "1", level);
        ASSERT_TRUE(row) << level;
        EXPECT_EQ(row->at("time8"), "55");
        EXPECT_EQ(row->at("time16"), "50");
    }
}

TEST_F(SctFormTest, MissingSctDialogShowsTheRowAndAcceptsWholeSeconds)
{
    dmod->OpenVsct();
    xbase::Table& v = dmod->Vsct;
    v.append();
    v.setText("day_num", "2");
    v.setText("classname", "Jackpot");
    v.setText("round", "1");
    v.setText("levels", "3");
    v.setText("time8", "40");
    ASSERT_TRUE(v.post());

    ScriptedDialogs dialogs;
    TGetSCTForm form(v);
    EXPECT_EQ(form.windowTitle(), "Missing SCT Info");
    EXPECT_EQ(form.shown("Day"), "2");
    EXPECT_EQ(form.shown("Class Name"), "Jackpot");
    EXPECT_EQ(form.shown("Round"), "1");
    EXPECT_EQ(form.shown("Level"), "3");
    EXPECT_EQ(form.smallBox()->text(), "40");
    EXPECT_EQ(form.largeBox()->text(), "");
    dialogs.expectMessage("Both course times are needed to continue HIT processing.");
    form.OkayButtonClick();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    form.largeBox()->setText("35.5");
    dialogs.expectMessage(notWholeSecondsText("35.5"));
    form.OkayButtonClick();
    form.largeBox()->setText("35");
    form.OkayButtonClick();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.times().small, "40");
    EXPECT_EQ(form.times().large, "35");
}

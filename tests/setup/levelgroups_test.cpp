#include "data/trialchecks.h"
#include "support/scripteddialogs.h"
#include "setup/levelgroups.h"
#include "setup/prerequisites.h"
#include "setupfixture.h"

#include <QFileInfo>

using setup::LevGroupRow;

namespace {

const QDate kFirst(2004, 6, 5);

class LevelGroupsTest : public SetupFixture
{
protected:
    QList<LevGroupRow> rows() { return setup::readLevGroupRows(dmod->LevGroup); }

    setup::TrialOffer offer(int number = 12) { return *setup::findTrial(*dmod, number); }

};

LevGroupRow row(const char* day, const char* cls, const char* round, const char* available,
                std::array<QString, 4> groups = {})
{
    return {day, cls, round, available, groups};
}

} // namespace

TEST_F(LevelGroupsTest, BuildsOneRowPerDayClassAndRunInTheGroupingOrder)
{
    defineTrial(12, kFirst,
                {{"12345C", {{"jump", 1}, {"snok", 1}, {"jack", 1}, {"full", 1}, {"wild", 1}, {"clrs", 1}, {"std", 1}}},
                 {"12345C", {{"std", 2}, {"jump", 1}}}});
    EXPECT_EQ(setup::buildLevGroup(*dmod, offer()), QString());

    const QList<LevGroupRow> expected = {
        row("1", "Standard", "1", "12345C"), row("1", "Colors", "1", "12345C"), row("1", "Wildcard", "1", "12345C"),
        row("1", "Jackpot", "1", "12345C"),  row("1", "Snooker", "1", "12345C"), row("1", "FullHouse", "1", "12345C"),
        row("1", "Jumpers", "1", "12345C"),  row("2", "Standard", "1", "12345C"), row("2", "Standard", "2", "12345C"),
        row("2", "Jumpers", "1", "12345C")};
    EXPECT_EQ(rows(), expected);
    EXPECT_EQ(dmod->LevGroup.currentTag(), QStringLiteral("LEVKEY"));
    EXPECT_EQ(dmod->LevGroup.toInt("show_num"), 12);
}

TEST_F(LevelGroupsTest, AvailableListsTheDaysLevelsInOrderAndNeverS)
{
    defineTrial(12, kFirst, {{"C43", {{"std", 1}}}, {"", {{"jump", 1}}}});
    dmod->ShowDates.setBool("d1_levs", true);   // the S flag is not read
    ASSERT_TRUE(dmod->ShowDates.post());
    setup::buildLevGroup(*dmod, offer());
    EXPECT_EQ(rows(), (QList<LevGroupRow>{row("1", "Standard", "1", "34C"), row("2", "Jumpers", "1", "")}));
}

TEST_F(LevelGroupsTest, RebuildKeepsGroupingsAndSaysWhatToVerify)
{
    struct Case
    {
        const char* what;
        QList<DaySpec> changed;
        QString notice;
        QList<LevGroupRow> expected;
    };
    const std::array<QString, 4> std1{"1", "2", "3", "45C"};
    const std::array<QString, 4> jmp1{"12", "345C"};
    const Case cases[] = {
        {"nothing changed", {{"12345C", {{"std", 1}, {"jump", 1}}}}, {},
         {row("1", "Standard", "1", "12345C", std1), row("1", "Jumpers", "1", "12345C", jmp1)}},
        {"class added", {{"12345C", {{"std", 1}, {"full", 1}, {"jump", 1}}}}, setup::kClassesChanged,
         {row("1", "Standard", "1", "12345C", std1), row("1", "FullHouse", "1", "12345C"),
          row("1", "Jumpers", "1", "12345C", jmp1)}},
        {"class dropped", {{"12345C", {{"std", 1}}}}, setup::kClassesChanged,
         {row("1", "Standard", "1", "12345C", std1)}},
        {"level 5 removed", {{"1234C", {{"std", 1}, {"jump", 1}}}}, setup::kLevelsChanged,
         {row("1", "Standard", "1", "1234C", std1), row("1", "Jumpers", "1", "1234C", jmp1)}},
        {"both: runs win", {{"1234C", {{"std", 2}, {"jump", 1}}}}, setup::kClassesChanged,
         {row("1", "Standard", "1", "1234C", std1), row("1", "Standard", "2", "1234C"),
          row("1", "Jumpers", "1", "1234C", jmp1)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dmod->LevGroup.close();
        xbase::Table::remove(path("catdata/cat00012/levgroup.dbf"));
        defineTrial(12, kFirst, {{"12345C", {{"std", 1}, {"jump", 1}}}});
        setup::buildLevGroup(*dmod, offer());
        setGroups("11Standard", {"1", "2", "3", "45C"});
        setGroups("11Jumpers", {"12", "345C"});

        defineTrial(12, kFirst, c.changed);
        EXPECT_EQ(setup::buildLevGroup(*dmod, offer()), c.notice);
        EXPECT_EQ(rows(), c.expected);
    }
    // The previous groupings were left in the work table.
    xbase::Table work;
    work.open(path("pgmdata/vLevGrp3.dbf"));
    EXPECT_EQ(setup::readLevGroupRows(work).size(), 2);
}

TEST_F(LevelGroupsTest, GroupsAreUpperCaseAndLoseLevelS)
{
    const struct
    {
        const char* typed;
        const char* stored;
        bool removed;
    } cases[] = {{"45cs", "45C", true}, {"12", "12", false}, {"345c", "345C", false},
                 {"s", "", true},      {"SS1", "1", true},  {"", "", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const setup::CheckedGroup checked = setup::checkGroup(QString::fromLatin1(c.typed));
        EXPECT_EQ(checked.value, QString::fromLatin1(c.stored));
        EXPECT_EQ(checked.removedS, c.removed);
    }
}

TEST_F(LevelGroupsTest, RowCheckFixesTheBufferAndCountsEachGroupWithS)
{
    defineTrial(12, kFirst, {{"12345C", {{"std", 1}}}});
    setup::buildLevGroup(*dmod, offer());
    xbase::Table& t = dmod->LevGroup;
    t.setText("group_a", "12");
    t.setText("group_b", "45cs");
    EXPECT_EQ(setup::checkLevGroupRow(t), QStringList{setup::kLevelSRemoved});
    EXPECT_EQ(t.trimmed("group_b"), QStringLiteral("45C"));
    t.setText("group_c", "s3");
    t.setText("group_d", "S");
    EXPECT_EQ(setup::checkLevGroupRow(t).size(), 2);
    ASSERT_TRUE(t.post());
    EXPECT_EQ(rows().value(0).groups, (std::array<QString, 4>{"12", "45C", "3", ""}));
}

TEST_F(LevelGroupsTest, LevelGroupsAssignedWantsRowsAndAGroupInEveryRow)
{
    defineTrial(12, kFirst, {{"12345C", {{"std", 1}, {"jump", 1}}}});
    dmod->OpenLevGroup("00012");
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("Your Level Groups have not been assigned;;Go To  Tasks/Define Level Groups  from Main Screen");
        EXPECT_FALSE(setup::LevelGroupsAssigned(*dmod));
    }
    setup::buildLevGroup(*dmod, offer());
    setGroups("11Standard", {"1", "2", "3", "45C"});
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("Some Classes have not been assigned Level Groups;;Go To  Tasks/Define Level Groups  from Main Screen");
        EXPECT_FALSE(setup::LevelGroupsAssigned(*dmod));
        EXPECT_EQ(dialogs.messages().size(), 1);
    }
    setGroups("11Jumpers", {"", "", "", "12345C"});
    {
        ScriptedDialogs dialogs;
        EXPECT_TRUE(setup::LevelGroupsAssigned(*dmod));
    }
}

TEST_F(LevelGroupsTest, ShowNumberAnswersAreReadAsWholeNumbers)
{
    const std::pair<const char*, int> cases[] = {{"12", 12},  {" 12 ", 12}, {"+12", 12},     {"1,2", 12},
                                                 {"12abc", 12}, {"", 0},      {"abc", 0},      {"-5", 0},
                                                 {"99999", 99999}, {"123456", -1}};
    for (const auto& [answer, number] : cases)
        EXPECT_EQ(setup::readShowNumber(QString::fromLatin1(answer)), number) << answer;
}

TEST_F(LevelGroupsTest, CheckLevelGroupingsSettlesTheTrialAndChecksItsGroups)
{
    defineTrial(12, kFirst, {{"12345C", {{"std", 1}}}});
    {
        SCOPED_TRACE("unknown open trial");
        ScriptedDialogs dialogs;
        dialogs.expectMessage(setup::kUnknownShow);
        EXPECT_EQ(setup::CheckLevelGroupings(*dmod, 7), std::nullopt);
    }
    {
        SCOPED_TRACE("question cancelled");
        ScriptedDialogs dialogs;
        dialogs.expectInput("Enter the Show Number: ", std::nullopt);
        EXPECT_EQ(setup::CheckLevelGroupings(*dmod, 0), std::nullopt);
        EXPECT_EQ(dialogs.inputs().value(0).title, QStringLiteral("Which Show"));
    }
    {
        SCOPED_TRACE("no groupings yet");
        ScriptedDialogs dialogs;
        dialogs.expectInput("Enter the Show Number: ", " +1,2");
        dialogs.expectMessage("You must Define the Level Groupings first");
        EXPECT_EQ(setup::CheckLevelGroupings(*dmod, 0), std::nullopt);
        EXPECT_EQ(dialogs.messages().value(0).title, data::kMissingData);
        EXPECT_EQ(dialogs.messages().value(0).icon, MessageIcon::Exclamation);
    }
    setup::buildLevGroup(*dmod, offer());
    setGroups("11Standard", {"12345C"});
    {
        SCOPED_TRACE("grouped");
        ScriptedDialogs dialogs;
        EXPECT_EQ(setup::CheckLevelGroupings(*dmod, 12), 12);
        EXPECT_TRUE(dmod->LevGroup.isOpen());
    }
}

TEST_F(LevelGroupsTest, ATableOpenForAnotherTrialIsNotTheOneChecked)
{
    defineTrial(12, kFirst, {{"12345C", {{"std", 1}}}});
    defineTrial(13, kFirst, {{"12345C", {{"std", 1}}}});
    setup::buildLevGroup(*dmod, offer(13));
    setGroups("11Standard", {"12345C"});
    dmod->LevGroup.close();
    setup::buildLevGroup(*dmod, offer(12));   // trial 12 is left open, without groups

    ScriptedDialogs dialogs;
    EXPECT_EQ(setup::CheckLevelGroupings(*dmod, 13), 13);
    EXPECT_TRUE(QFileInfo(dmod->LevGroup.path()).absoluteFilePath().contains("cat00013"));
}

#include "app/entrylogic.h"
#include "data/tables.h"
#include "entries/armbands.h"
#include "platform/xbase/table.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

using entry::Category;

namespace {

// A bare entries table (the template's fields) in a temporary folder.
class EntriesTable : public ::testing::Test
{
protected:
    EntriesTable()
    {
        const QString file = folder.file("entries.dbf");
        xbase::Table::create(file, data::tableDef(data::TableId::Show).fields);
        table.open(file);
    }

    quint32 add(const std::map<QString, QString>& fields, bool deleted = false)
    {
        table.append();
        for (const auto& [name, value] : fields)
            table.setText(name, value);
        table.setDeleted(deleted);
        EXPECT_TRUE(table.post());
        return table.recNo();
    }

    TempFolder folder;
    xbase::Table table;
};

} // namespace

TEST(EntryLogic, FieldNamesAndControlNumbersFollowTheDayAndRow)
{
    EXPECT_EQ(entry::runField(2, 4, 1), "d2_snok_1");
    EXPECT_EQ(entry::runField(2, 4, 3), "d2_snok_3");
    EXPECT_EQ(entry::levelField(1, 1), "d1_std_lev");
    EXPECT_EQ(entry::levelField(4, 7), "d4_jump_lv");
    EXPECT_EQ(entry::levelField(3, 5), "d3_jack_lv");

    EXPECT_EQ(entry::checkBoxNumber(1, 1, 1), 1);
    EXPECT_EQ(entry::checkBoxNumber(2, 4, 3), 21 + 9 + 3);
    EXPECT_EQ(entry::checkBoxNumber(4, 7, 3), 84);
    EXPECT_EQ(entry::speedButtonNumber(1, 1, 1), 1);
    EXPECT_EQ(entry::speedButtonNumber(2, 1, 6), 48);
    EXPECT_EQ(entry::speedButtonNumber(4, 7, 6), 168);

    EXPECT_EQ(entry::levelAt(6), QChar(u'C'));
    EXPECT_EQ(entry::levelPosition(u'c'), 6);
    EXPECT_EQ(entry::levelPosition(u' '), 0);
    EXPECT_EQ(entry::levelPosition(u'S'), 0);   // level S has no button

    // Every field the form names exists in the entries file.
    const xbase::FieldList& fields = data::tableDef(data::TableId::Show).fields;
    for (int d = 1; d <= 4; ++d)
        for (int r = 1; r <= 7; ++r) {
            for (int k = 1; k <= 3; ++k)
                EXPECT_GE(data::fieldIndex(fields, entry::runField(d, r, k)), 0) << d << r << k;
            EXPECT_GE(data::fieldIndex(fields, entry::levelField(d, r)), 0) << d << r;
        }
}

TEST(EntryLogic, DayTabCaptionIsWeekdaySlashAndCountInFour)
{
    const QDate saturday(2004, 6, 5);
    EXPECT_EQ(entry::dayTabCaption(saturday, 1, 37), "Sat/  37");
    EXPECT_EQ(entry::dayTabCaption(saturday, 2, 0), "Sun/   0");
    EXPECT_EQ(entry::dayTabCaption(saturday, 3, 12345), "Mon/12345");
}

TEST(EntryLogic, ProposedSecondHeights)
{
    struct Case
    {
        Category category;
        int regular;
        std::optional<int> proposed;
    };
    const Case cases[] = {
        {Category::Veteran, 24, 20},    {Category::Enthusiast, 24, 20}, {Category::Specialist, 24, 16},
        {Category::Veteran, 8, 4},      {Category::Specialist, 8, 4},   {Category::Veteran, 4, 4},
        {Category::Specialist, 12, 4},  {Category::Specialist, 16, 8},  {Category::Regular, 16, 16},
        {Category::Veteran, 0, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(entry::proposedHeight(c.category, c.regular), c.proposed) << int(c.category) << " " << c.regular;

    EXPECT_EQ(entry::heightText(8), " 8");
    EXPECT_EQ(entry::heightText(24), "24");
    EXPECT_EQ(entry::heightValue(" 8"), 8);
    EXPECT_EQ(entry::heightValue("  "), 0);
}

TEST(EntryLogic, SecondHeightWrites)
{
    // A mark blanks the other height; an answer to the question leaves it.
    const entry::SecondHeight second = entry::secondHeightForMark(Category::Specialist, 12);
    EXPECT_EQ(second.htCat, QChar(u'S'));
    EXPECT_EQ(second.specHt, "12");
    EXPECT_EQ(second.vetHt, QString());
    EXPECT_EQ(second.srtHt, "2");
    const entry::SecondHeight ent = entry::secondHeightForMark(Category::Enthusiast, 8);
    EXPECT_EQ(ent.htCat, QChar(u'T'));
    EXPECT_EQ(ent.vetHt, " 8");
    EXPECT_EQ(ent.specHt, QString());
    EXPECT_EQ(ent.srtHt, "1");
    const entry::SecondHeight answer = entry::secondHeightForAnswer(Category::Veteran, 20);
    EXPECT_EQ(answer.htCat, QChar(u'V'));
    EXPECT_EQ(answer.vetHt, "20");
    EXPECT_FALSE(answer.specHt.has_value());
}

TEST(EntryLogic, MissingLevelIsTheFirstShownDayAndRowWithARunAndNoLevel)
{
    std::map<std::pair<int, int>, entry::RowState> rows;
    const auto shown = [](int d) { return d <= 2; };
    const auto state = [&](int d, int r) { return rows[{d, r}]; };
    EXPECT_EQ(entry::missingLevel(shown, state), std::nullopt);

    rows[{1, 2}] = {false, false, true};   // level without a run: fine here
    rows[{2, 1}] = {false, false, false};
    rows[{3, 1}] = {true, false, false};   // day 3 is hidden: never checked
    EXPECT_EQ(entry::missingLevel(shown, state), std::nullopt);

    rows[{2, 4}] = {false, true, false};
    rows[{2, 7}] = {true, false, false};
    EXPECT_EQ(entry::missingLevel(shown, state), "Day 2 - Snooker");
    rows[{1, 6}] = {true, true, false};
    EXPECT_EQ(entry::missingLevel(shown, state), "Day 1 - FullHouse");
}

TEST(EntryLogic, MessagesAsTheFormShowsThem)
{
    EXPECT_EQ(entry::text::levelMissingOnSave("Day 2 - Snooker"),
              "Opps!  You have Checked-Off ;Day 2 - Snooker classes but NOT a Level;;    Please correct.;;"
              "Next time,  just Check-Off the LEVEL!!");
    EXPECT_EQ(entry::text::levelMissingOnPost("Day 1 - Standard"),
              "You have Checked-Off ;Day 1 - Standard classes but NOT a Level; Please correct.;Then SAVE your changes;;"
              "Next Time just select the Level!!");
    EXPECT_EQ(armbands::duplicateMessage("  1204"), "  1204 is a Duplicate Armband # - Revise");
    EXPECT_EQ(entry::text::recordStatus(3, 120), "Rec #     3 /   120");
    EXPECT_EQ(entry::text::addingStatus(120), "Adding Rec # 121");
}

TEST_F(EntriesTable, RunsPerDayCountRunOneAndTwoOfRecordsNotDeleted)
{
    add({{"d1_std_1", "T"}, {"d1_std_2", "T"}, {"d1_jump_1", "T"}, {"d1_std_3", "T"}, {"d2_snok_2", "T"}});
    add({{"d1_clrs_1", "T"}, {"d3_full_1", "T"}, {"d4_jack_1", "T"}});
    add({{"d1_std_1", "T"}, {"d2_snok_1", "T"}}, true);   // deleted: not counted
    add({{"d1_wild_3", "T"}});                            // DOS alone: not counted

    const auto counts = entry::countRunsPerDay(table, 3);
    EXPECT_EQ(counts[0], 4);
    EXPECT_EQ(counts[1], 1);
    EXPECT_EQ(counts[2], 1);
    EXPECT_EQ(counts[3], 0);   // beyond num_days
    EXPECT_EQ(table.recNo(), 4u) << "counting does not move the table";
}

TEST_F(EntriesTable, DuplicateArmbandsIncludeDeletedRecordsButNotTheRecordItself)
{
    const quint32 first = add({{"armband", "  1204"}});
    add({{"armband", "  1605"}}, true);
    add({{"armband", ""}});

    EXPECT_TRUE(armbands::isDuplicate(table, "  1204", 0));
    EXPECT_FALSE(armbands::isDuplicate(table, "  1204", first));
    EXPECT_TRUE(armbands::isDuplicate(table, "  1605  ", 0)) << "right-trimmed";
    EXPECT_FALSE(armbands::isDuplicate(table, "1204", 0)) << "leading blanks count";
    EXPECT_FALSE(armbands::isDuplicate(table, "   ", 0)) << "an empty armband is never a duplicate";
}

TEST_F(EntriesTable, OrphanLevelsAreClearedWhereNoRunIsTicked)
{
    add({{"d1_std_lev", "3"}, {"d1_std_1", "T"},      // kept: run 1
         {"d1_clrs_lv", "2"}, {"d1_clrs_3", "T"},     // DOS alone keeps no level
         {"d2_jump_lv", "C"}, {"d2_jump_2", "T"},     // kept: run 2
         {"d2_snok_lv", "1"},                         // cleared
         {"d3_full_lv", "4"}});                       // day 3 beyond num_days: left
    table.edit();
    EXPECT_EQ(entry::clearOrphanLevels(table, 2), 2);
    EXPECT_EQ(table.text("d1_std_lev"), "3");
    EXPECT_EQ(table.text("d1_clrs_lv"), " ");
    EXPECT_EQ(table.text("d2_jump_lv"), "C");
    EXPECT_EQ(table.text("d2_snok_lv"), " ");
    EXPECT_EQ(table.text("d3_full_lv"), "4");
}

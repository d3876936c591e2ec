// Index tags: order, seeks, live upkeep, filters and ranges.

#include "xbasetest.h"

using namespace xbase;
using namespace xbasetest;

namespace {

class TableTags : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.file("runorder.dbf");
        Table::create(path, {{"day_num", 'C', 1, 0}, {"classname", 'C', 10, 0}, {"round", 'C', 1, 0},
                             {"levels", 'C', 7, 0}, {"place", 'N', 2, 0}, {"ok", 'L', 1, 0}});
        table.setTags({{"LOOKUP", "day_num+classname+round+levels", false},
                       {"DESCKEY", "day_num+classname", true},
                       {"ClASSNAME", "upper(classname)", false}});
        table.open(path, {.flushAfterPost = false, .currentTag = "lookup"});
        const QStringList rows[] = {
            {"1", "Standard", "1", "12", "1", "T"},    // 1
            {"1", "Jumpers", "1", "345C", "2", "F"},   // 2
            {"2", "Standard", "1", "12345C", "1", "T"},// 3
            {"1", "Standard", "1", "1", "3", "F"},     // 4
            {"1", "Jumpers", "1", "12", "1", "T"},     // 5
            {"1", "Standard", "1", "12", "2", "F"},    // 6 (same key as 1)
        };
        for (const QStringList& r : rows)
            addRow(table, r);
        table.first();
    }

    TempFolder dir;
    QString path;
    Table table;
};

} // namespace

TEST_F(TableTags, AscendingOrderBreaksTiesByRecordNumber)
{
    EXPECT_EQ(walk(table), QList<quint32>({5, 2, 4, 1, 6, 3}));
    EXPECT_EQ(table.keyLength(), 19);
}

TEST_F(TableTags, DescendingOrderIsTheExactReverse)
{
    table.setCurrentTag("desckey");
    EXPECT_EQ(walk(table), QList<quint32>({3, 6, 4, 1, 5, 2}));
}

TEST_F(TableTags, TagNamesAreCaseInsensitiveAndSettingOneKeepsTheRecord)
{
    table.go(4);
    table.setCurrentTag("CLASSNAME");
    EXPECT_EQ(table.currentTag(), QString("ClASSNAME"));
    EXPECT_EQ(table.recNo(), 4u);
    table.next();
    EXPECT_EQ(table.recNo(), 6u);
    table.setCurrentTag("");
    EXPECT_EQ(table.currentTag(), QString());
    table.next();
    EXPECT_TRUE(table.eof());       // record 6 is the last in record order
}

TEST_F(TableTags, ExactSeekNeedsTheWholeKey)
{
    // The level key "1" must not find the stored "12" or "12345C".
    EXPECT_TRUE(table.seek("1Standard  11"));
    EXPECT_EQ(table.recNo(), 4u);
    EXPECT_TRUE(table.found());
    EXPECT_TRUE(table.seek("1Standard  112"));
    EXPECT_EQ(table.recNo(), 1u);   // the first of the equal keys

    EXPECT_FALSE(table.seek("1Standard  1123"));
    EXPECT_FALSE(table.found());
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(table.recNo(), 0u);
    EXPECT_EQ(table.text("classname"), QString(10, ' '));   // fields read blank at eof
    EXPECT_FALSE(table.seek("2Standard  1"));               // a prefix is not enough
}

TEST_F(TableTags, PartialSeekFindsTheFirstKeyBeginningWithTheValue)
{
    EXPECT_TRUE(table.seek("1Standard", SeekMode::Partial));
    EXPECT_EQ(table.recNo(), 4u);
    EXPECT_TRUE(table.seek("1J", SeekMode::Partial));
    EXPECT_EQ(table.recNo(), 5u);
    EXPECT_FALSE(table.seek("1K", SeekMode::Partial));
    EXPECT_TRUE(table.eof());
    table.setCurrentTag("ClASSNAME");
    EXPECT_TRUE(table.seek("STAN", SeekMode::Partial));
    EXPECT_EQ(table.recNo(), 1u);
}

TEST_F(TableTags, SoftSeekLandsOnTheNextKey)
{
    EXPECT_FALSE(table.seek("1K", SeekMode::Soft));
    EXPECT_FALSE(table.eof());
    EXPECT_EQ(table.recNo(), 4u);   // 1Standard is the next key
    EXPECT_TRUE(table.seek("1", SeekMode::Soft));
    EXPECT_EQ(table.recNo(), 5u);
    EXPECT_FALSE(table.seek("3", SeekMode::Soft));
    EXPECT_TRUE(table.eof());
}

TEST_F(TableTags, SeeksOnADescendingTagFindTheFirstMatchInItsOrder)
{
    table.setCurrentTag("DESCKEY");
    EXPECT_TRUE(table.seek("1Standard"));
    EXPECT_EQ(table.recNo(), 6u);
    table.next();
    EXPECT_EQ(table.recNo(), 4u);
    EXPECT_TRUE(table.seek("1J", SeekMode::Partial));
    EXPECT_EQ(table.recNo(), 5u);
    EXPECT_FALSE(table.seek("1K", SeekMode::Soft));   // next in descending order: 1Jumpers
    EXPECT_EQ(table.recNo(), 5u);
    EXPECT_FALSE(table.seek("0", SeekMode::Soft));
    EXPECT_TRUE(table.eof());
}

TEST_F(TableTags, SeeksSkipHiddenRecords)
{
    table.go(1);
    table.setDeleted(true);
    table.setShowDeleted(false);
    EXPECT_TRUE(table.seek("1Standard  112"));
    EXPECT_EQ(table.recNo(), 6u);
    table.go(6);
    table.setDeleted(true);
    EXPECT_FALSE(table.seek("1Standard  112"));
    EXPECT_TRUE(table.eof());
}

TEST_F(TableTags, AKeyChangedByAPostMovesTheRecordAndTheWalkGoesOnFromThere)
{
    table.seek("1Jumpers   112");
    ASSERT_EQ(table.recNo(), 5u);
    table.edit();
    table.setText("classname", "Wildcard");
    table.post();
    EXPECT_EQ(table.recNo(), 5u);
    table.next();                   // 1Wildcard sorts after every 1Standard, before 2Standard
    EXPECT_EQ(table.recNo(), 3u);
    table.prior();
    table.prior();
    EXPECT_EQ(table.recNo(), 6u);
}

TEST_F(TableTags, KeysFollowAppendsEditsPackAndZap)
{
    ScanCursor scan = table.scan();
    scan.setCurrentTag("lookup");
    table.append();
    table.setText("day_num", "0");
    table.post();
    EXPECT_EQ(walk(scan).first(), 7u);
    table.go(7);
    table.setText("day_num", "9");
    table.post();
    EXPECT_EQ(walk(scan).last(), 7u);
    table.go(2);
    table.setDeleted(true);
    table.pack();
    EXPECT_EQ(walk(scan), QList<quint32>({4, 3, 1, 5, 2, 6}));
    EXPECT_EQ(column(scan, "levels"), QStringList({"12", "1", "12", "12", "12345C", ""}));
    table.zap();
    EXPECT_TRUE(walk(scan).isEmpty());
}

TEST_F(TableTags, FiltersAsPredicatesOrExpressions)
{
    table.setFilter([](const RecordView& r) { return r.trimmed("day_num") == "2"; });
    EXPECT_EQ(walk(table), QList<quint32>({3}));
    table.setFilter("day_num = '1' .and. place = 1");
    EXPECT_EQ(walk(table), QList<quint32>({5, 1}));
    table.setFilter("ok = .T.");
    EXPECT_EQ(walk(table), QList<quint32>({5, 1, 3}));
    table.setFilter("place=2");
    EXPECT_EQ(walk(table), QList<quint32>({2, 6}));
    table.setFilter("day_num+classname+round+levels = '1Standard  112'");
    EXPECT_EQ(walk(table), QList<quint32>({1, 6}));
    table.setFilter("day_num+round+trim(classname) = '11Jumpers'");
    EXPECT_EQ(walk(table), QList<quint32>({5, 2}));
    table.last();
    EXPECT_EQ(table.recNo(), 2u);
    EXPECT_THROW(table.setFilter("day_num"), Error);
    EXPECT_THROW(table.setFilter("nosuch = 1"), Error);
    table.clearFilter();
    EXPECT_EQ(walk(table).size(), 6);
}

TEST_F(TableTags, RangesRestrictTheCurrentTag)
{
    table.setRange("1S");
    EXPECT_EQ(walk(table), QList<quint32>({4, 1, 6}));
    table.last();
    EXPECT_EQ(table.recNo(), 6u);
    table.next();
    EXPECT_TRUE(table.eof());
    table.setRange("1J", "1S");
    EXPECT_EQ(walk(table), QList<quint32>({5, 2, 4, 1, 6}));
    table.setCurrentTag("desckey");
    EXPECT_FALSE(table.hasRange());
    table.setRange("1");
    EXPECT_EQ(walk(table), QList<quint32>({6, 4, 1, 5, 2}));
    table.clearRange();
    EXPECT_EQ(walk(table).size(), 6);
}

TEST_F(TableTags, SeekInNaturalOrderIsAnError)
{
    table.setCurrentTag("");
    EXPECT_THROW(table.seek("1"), Error);
    EXPECT_THROW(table.setCurrentTag("nosuch"), Error);
}

TEST_F(TableTags, TagsAreRebuiltAtOpen)
{
    table.close();
    Table again;
    again.setTags({{"LOOKUP", "day_num+classname+round+levels", false}});
    again.open(path, {.currentTag = "LOOKUP"});
    EXPECT_EQ(again.recNo(), 5u);   // positioned on the first record in tag order
    EXPECT_EQ(walk(again), QList<quint32>({5, 2, 4, 1, 6, 3}));
    Table bad;
    bad.setTags({{"X", "upper(", false}});
    EXPECT_THROW(bad.open(path), Error);
    EXPECT_FALSE(bad.isOpen());
}

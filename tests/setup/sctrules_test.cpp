#include "setup/sctrows.h"
#include "setup/sctrules.h"
#include "setupfixture.h"
#include "support/qtprinters.h"

using namespace setup;

namespace {

QStringList captions(const QList<LevelTab>& tabs)
{
    QStringList list;
    for (const LevelTab& t : tabs)
        list << t.caption + "=" + t.key;
    return list;
}

} // namespace

TEST(SctRules, EnthusiastTimeIsFiveMoreAndColorsThreeMoreBefore2009)
{
    struct Case
    {
        const char* classname;
        QDate date;
        const char* typed;
        std::optional<QString> expected;
    };
    const QDate y2008(2008, 12, 31), y2009(2009, 1, 1);
    const Case cases[] = {
        {"Standard", y2008, "32", "37"},
        {"Standard", y2009, "32", "37"},
        {"Colors", y2008, "32", "35"},
        {"Colors", y2009, "32", "37"},
        {"Wildcard", y2008, " 40 ", "45"},
        {"Jumpers", y2009, "28", "33"},
        {"Snooker", y2009, "50", std::nullopt},     // no such rule
        {"FullHouse", y2009, "35", std::nullopt},
        {"Standard", y2009, "", std::nullopt},       // nothing typed, nothing derived
        {"Standard", y2009, "32.5", std::nullopt},   // not whole seconds
        {"Standard", y2009, "3O", std::nullopt},
        {"Colors", y2008, "-4", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(enthusiastTime(c.classname, c.date, c.typed), c.expected)
            << c.classname << " " << c.date.toString().toStdString() << " " << c.typed;
}

TEST(SctRules, TimesMustBeWholeSeconds)
{
    EXPECT_TRUE(readTime("   ").blank);
    EXPECT_FALSE(readTime("").refused());
    EXPECT_EQ(readTime(" 35 ").seconds, 35);
    EXPECT_EQ(readTime("0").seconds, 0);
    for (const char* bad : {"32.5", "32,0", "1:05", "abc", "3 2", "-5", "1234567"})
        EXPECT_TRUE(readTime(bad).refused()) << bad;
    const QString text = notWholeSecondsText(" 32.5");
    EXPECT_TRUE(text.contains("whole seconds"));
    EXPECT_TRUE(text.contains("\"32.5\""));
}

TEST(SctRules, JackpotTotalAndSnookerLargeDogs)
{
    EXPECT_EQ(jackpotTotal("30", "15"), QString("45"));
    EXPECT_EQ(jackpotTotal("30", ""), std::nullopt);
    EXPECT_EQ(jackpotTotal("30.5", "15"), std::nullopt);
    EXPECT_EQ(snookerLargeDogTime("55"), QString("50"));
    EXPECT_EQ(snookerLargeDogTime("5x"), std::nullopt);
}

TEST(SctRules, FullHouseDefaults)
{
    QStringList window, results;
    for (const FieldValue& v : fullHouseDefaults())
        window << v.field + "=" + v.value;
    for (const FieldValue& v : fullHouseDefaults(true))
        results << v.field + "=" + v.value;
    EXPECT_EQ(window, (QStringList{"time8=35", "time8_2=40", "time16=30", "time16_2=35"}));
    EXPECT_EQ(results, window + QStringList({"e_time8=40", "e_time16=35"}));
}

TEST(SctRules, LevelTabsFollowTheDaysLevels)
{
    // Levels 2, 3 and 4 offered.
    EXPECT_EQ(captions(levelTabsFor("Standard", "234")),
              (QStringList{"Level 2=2", "Level 3=3", "Level 4-5-C=45C"}));
    EXPECT_EQ(captions(levelTabsFor("Snooker", "234")),
              (QStringList{"Level 1 & 2=12", "Level 3=3", "Level 4-5-C=45C"}));
    // Only 5 and C: the standard classes show no higher tab, the games do.
    EXPECT_EQ(captions(levelTabsFor("Standard", "5C")), QStringList{});
    EXPECT_EQ(captions(levelTabsFor("Jumpers ", "5C")), QStringList{});
    EXPECT_EQ(captions(levelTabsFor("Jackpot", "5C")), QStringList{"Level 4-5-C=45C"});
    EXPECT_EQ(captions(levelTabsFor("Colors", "12345C")),
              (QStringList{"Level 1=1", "Level 2=2", "Level 3=3", "Level 4-5-C=45C"}));
    EXPECT_EQ(captions(levelTabsFor("Jackpot", "1")), QStringList{"Level 1 & 2=12"});
    EXPECT_TRUE(levelTabsFor("FullHouse", "12345C").isEmpty());
}

TEST(SctRules, PagesRunTabsAndCaptions)
{
    EXPECT_EQ(visibleSctPages({"FullHouse", "Jumpers", "FullHouse"}), (QStringList{"Jumpers", "FullHouse"}));
    EXPECT_EQ(visibleSctPages({"Jackpot", "Snooker", "Standard", "Colors"}),
              (QStringList{"Standard", "Colors", "Snooker", "Jackpot"}));
    EXPECT_EQ(runTabsFor(1), QStringList{"ROUND 1"});
    EXPECT_EQ(runTabsFor(2), (QStringList{"ROUND 1", "ROUND 2"}));
    EXPECT_EQ(runTabsFor(0), QStringList{"ROUND 1"});
    // 06/05/2004 was a Saturday.
    EXPECT_EQ(sctDayCaption(QDate(2004, 6, 5), 1), "Day 1 - Sat");
    EXPECT_EQ(sctDayCaption(QDate(2004, 6, 5), 2), "Day 2 - Sun");
    EXPECT_EQ(runCountCode("Jumpers"), "jump");
    EXPECT_EQ(runCountCode("Snooker"), "snok");
}

TEST(SctRules, KeysAndTheCombinedGameLevels)
{
    EXPECT_EQ(sctKey(2, "Standard", "1", "45C"), "2Standard       145C");
    EXPECT_EQ(sctKey(1, "Jumpers        ", "2", "3"), "1Jumpers        23");
    EXPECT_EQ(fullHouseKey(3), "3FullHouse");
    EXPECT_EQ(mirrorKeysFor("Snooker", "12", "12345C"), (QStringList{"1", "2"}));
    EXPECT_EQ(mirrorKeysFor("Jackpot", "12", "2345C"), QStringList{"2"});
    EXPECT_TRUE(mirrorKeysFor("Snooker", "3", "12345C").isEmpty());
    EXPECT_TRUE(mirrorKeysFor("Standard", "12", "12345C").isEmpty());
}

// The rows the window reads and writes in the trial's SCTInfo.
class SctRowsTest : public SetupFixture
{
protected:
    void SetUp() override
    {
        defineTrial(12, QDate(2004, 6, 5), {{"12345C", {{"std", 1}, {"snok", 1}, {"full", 1}}}});
        ASSERT_TRUE(dmod->SetTrialDateKey(12));
        dmod->OpenSCTInfo("00012");
    }
    xbase::Table& sct() { return dmod->SCTInfo; }
    int rows()
    {
        int n = 0;
        xbase::ScanCursor s = sct().scan();
        for (bool ok = s.first(); ok && !s.eof(); ok = s.next())
            ++n;
        return n;
    }
};

TEST_F(SctRowsTest, LevelRowIsAppendedOnceWithItsKey)
{
    const SctRowKey key{12, 1, "Standard", "1", "2"};
    EXPECT_TRUE(findOrAppendSctRow(sct(), key));
    EXPECT_EQ(sct().trimmed("levels"), "2");
    EXPECT_EQ(sct().trimmed("classname"), "Standard");
    EXPECT_EQ(sct().toInt("show_num"), 12);
    EXPECT_TRUE(sct().isBlank("time8"));
    EXPECT_FALSE(findOrAppendSctRow(sct(), key));
    EXPECT_EQ(rows(), 1);
}

TEST_F(SctRowsTest, FullHouseRowIsCreatedOnceWithItsDefaults)
{
    const SctRowKey key{12, 1, "FullHouse", "1", ""};
    EXPECT_TRUE(findOrAppendSctRow(sct(), key));
    EXPECT_EQ(sct().trimmed("round"), "1");
    EXPECT_EQ(sct().trimmed("levels"), "12345C");
    EXPECT_EQ(sct().trimmed("time8"), "35");
    EXPECT_EQ(sct().trimmed("time8_2"), "40");
    EXPECT_EQ(sct().trimmed("time16"), "30");
    EXPECT_EQ(sct().trimmed("time16_2"), "35");
    EXPECT_TRUE(sct().isBlank("e_time8"));
    sct().edit();
    sct().setText("time8", "33");
    sct().post();
    EXPECT_FALSE(findOrAppendSctRow(sct(), key));
    EXPECT_EQ(sct().trimmed("time8"), "33");
    EXPECT_EQ(rows(), 1);
}

// What the "Level 1 & 2" tab saves is found under "1" and "2", where results entry and the
// high-in-trial calculation look; times typed there under "1" show on the tab.
TEST_F(SctRowsTest, CombinedGameLevelIsFoundUnderOneAndTwo)
{
    const SctRowKey key{12, 1, "Snooker", "1", "12"};
    ASSERT_TRUE(findOrAppendSctRow(sct(), key));
    sct().edit();
    sct().setText("yards", "150");
    sct().setText("time8", "55");
    sct().setText("time16", "50");
    ASSERT_TRUE(sct().post());
    const quint32 row = sct().recNo();
    mirrorSctRow(sct(), key, "12345C");
    EXPECT_EQ(sct().recNo(), row);
    for (const char* level : {"1", "2", "12"}) {
        xbase::ScanCursor s = sct().scan();
        s.setCurrentTag("LOOKUP");
        ASSERT_TRUE(s.seek(sctKey(1, "Snooker", "1", level))) << level;
        EXPECT_EQ(s.trimmed("time8"), "55");
        EXPECT_EQ(s.trimmed("time16"), "50");
        EXPECT_EQ(s.trimmed("yards"), "150");
    }
    // Saving again updates the copies rather than adding rows.
    sct().edit();
    sct().setText("time8", "57");
    sct().post();
    mirrorSctRow(sct(), key, "12345C");
    EXPECT_EQ(rows(), 3);
    xbase::ScanCursor s = sct().scan();
    s.setCurrentTag("LOOKUP");
    ASSERT_TRUE(s.seek(sctKey(1, "Snooker", "1", "2")));
    EXPECT_EQ(s.trimmed("time8"), "57");
}

TEST_F(SctRowsTest, NewCombinedRowStartsFromTimesTypedInResultsEntry)
{
    ASSERT_TRUE(findOrAppendSctRow(sct(), {12, 1, "Jackpot", "1", "1"}));
    sct().edit();
    sct().setText("time8", "30");
    sct().setText("time8_2", "15");
    sct().post();
    ASSERT_TRUE(findOrAppendSctRow(sct(), {12, 1, "Jackpot", "1", "12"}));
    EXPECT_EQ(sct().trimmed("levels"), "12");
    EXPECT_EQ(sct().trimmed("time8"), "30");
    EXPECT_EQ(sct().trimmed("time8_2"), "15");
}

TEST_F(SctRowsTest, RefusesTimesThatAreNotWholeSeconds)
{
    findOrAppendSctRow(sct(), {12, 1, "Standard", "1", "1"});
    sct().edit();
    sct().setText("time8", "32");
    EXPECT_EQ(sctTimesRefusal(sct()), QString());
    sct().setText("time16", "31.5");
    EXPECT_EQ(sctTimesRefusal(sct()), notWholeSecondsText("31.5"));
}

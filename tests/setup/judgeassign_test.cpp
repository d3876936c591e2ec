#include "setup/judgeassign.h"
#include "setupfixture.h"
#include "support/qtprinters.h"

using namespace setup;

namespace {

struct Row
{
    QString day, judge, classname, round, levels;
    friend bool operator==(const Row&, const Row&) = default;
};

void PrintTo(const Row& r, std::ostream* os)
{
    *os << (r.day + "|" + r.judge + "|" + r.classname + "|" + r.round + "|" + r.levels).toStdString();
}

class JudgeAssignTest : public SetupFixture
{
protected:
    void SetUp() override
    {
        groupedTrial(2);   // each day: Standard 1, 2, 3, 45C; Jumpers 12, 345C
        dmod->OpenShwJudges("00012");
        dmod->OpenDefined(work, data::TableId::vjdgdum);
    }

    void SetUpWork()
    {
        fillJudgeWork(dmod->LevGroup, work);
    }

    void assign(int day, const QString& judge, const QString& classname, const QString& round, const QString& levels)
    {
        xbase::Table& t = dmod->ShwJudges;
        t.append();
        t.setInt("show_num", 12);
        t.setText("day_num", QString::number(day));
        t.setText("judge", judge);
        t.setText("classname", classname);
        t.setText("round", round);
        t.setText("levels", levels);
        ASSERT_TRUE(t.post());
    }

    QList<Row> stored()
    {
        QList<Row> rows;
        xbase::ScanCursor s = dmod->ShwJudges.scan();
        s.setCurrentTag("JUDGE");
        for (bool ok = s.first(); ok && !s.eof(); ok = s.next())
            rows.append({s.trimmed("day_num"), s.trimmed("judge"), s.trimmed("classname"), s.trimmed("round"),
                         s.trimmed("levels")});
        return rows;
    }

    quint32 workRec(int day, const QString& text)
    {
        for (const WorkItem& item : workItemsOfDay(work, day))
            if (item.text == text)
                return item.recNo;
        ADD_FAILURE() << text.toStdString();
        return 0;
    }

    xbase::Table work;
};

} // namespace

TEST(JudgeTexts, OneLevelOrSeveral)
{
    EXPECT_EQ(classDisplayText("Standard       ", "1", "3      "), "Standard Round 1 Level 3");
    EXPECT_EQ(classDisplayText("Standard", "1", "45C    "), "Standard Round 1 Levels 45C");
    EXPECT_EQ(classDisplayText("Jumpers", "2", "345C"), "Jumpers Round 2 Levels 345C");
}

TEST_F(JudgeAssignTest, WorkTableListsEveryGroupOfTheDay)
{
    SetUpWork();
    QStringList day2;
    for (const WorkItem& item : workItemsOfDay(work, 2))
        day2 << item.text;
    EXPECT_EQ(day2, (QStringList{"Jumpers Round 1 Levels 12", "Jumpers Round 1 Levels 345C", "Standard Round 1 Level 1",
                                 "Standard Round 1 Level 2", "Standard Round 1 Level 3", "Standard Round 1 Levels 45C"}));
    EXPECT_EQ(work.recordCount(), 12u);
    // Built afresh each time.
    SetUpWork();
    EXPECT_EQ(work.recordCount(), 12u);
}

TEST_F(JudgeAssignTest, JudgesAndTheirClassesOfADay)
{
    assign(1, "SMITH", "Standard", "1", "3");
    assign(1, "ADAMS", "Jumpers", "1", "12");
    assign(1, "SMITH", "Jumpers", "1", "345C");
    assign(2, "JONES", "", "", "");
    EXPECT_EQ(judgesOfDay(dmod->ShwJudges, 1), (QStringList{"ADAMS", "SMITH"}));
    EXPECT_EQ(judgesOfDay(dmod->ShwJudges, 2), QStringList{"JONES"});
    EXPECT_TRUE(judgesOfDay(dmod->ShwJudges, 3).isEmpty());
    EXPECT_EQ(classesOfJudge(dmod->ShwJudges, 1, "SMITH"),
              (QStringList{"Jumpers Round 1 Levels 345C", "Standard Round 1 Level 3"}));
    EXPECT_TRUE(classesOfJudge(dmod->ShwJudges, 2, "JONES").isEmpty());
    // A row marked deleted is not looked at.
    dmod->ShwJudges.setCurrentTag("JUDGE");
    ASSERT_TRUE(dmod->ShwJudges.seek("1ADAMS", xbase::SeekMode::Partial));
    dmod->ShwJudges.setDeleted(true);
    EXPECT_EQ(judgesOfDay(dmod->ShwJudges, 1), QStringList{"SMITH"});
}

TEST_F(JudgeAssignTest, ReplacingAJudgeChangesOnlyThatDay)
{
    assign(1, "XAVIER", "Standard", "1", "1");
    assign(2, "XAVIER", "Standard", "1", "1");
    assign(2, "XAVIER", "Jumpers", "1", "12");
    assign(2, "WILLIS", "Standard", "1", "2");
    appendPlaceholder(dmod->ShwJudges, 12, 2, "XAVIER");
    EXPECT_EQ(replaceJudge(dmod->ShwJudges, 2, "XAVIER", "YOUNG"), 3);
    EXPECT_EQ(stored(), (QList<Row>{{"1", "XAVIER", "Standard", "1", "1"},
                                     {"2", "WILLIS", "Standard", "1", "2"},
                                     {"2", "YOUNG", "", "", ""},
                                     {"2", "YOUNG", "Jumpers", "1", "12"},
                                     {"2", "YOUNG", "Standard", "1", "1"}}));
}

TEST_F(JudgeAssignTest, SavingCheckedClassesAndAnEmptyList)
{
    SetUpWork();
    appendPlaceholder(dmod->ShwJudges, 12, 1, "SMITH");
    assign(1, "ADAMS", "Standard", "1", "1");
    saveJudgeClasses(dmod->ShwJudges, work, 12, 1, "SMITH",
                     {workRec(1, "Standard Round 1 Level 3"), workRec(1, "Jumpers Round 1 Levels 345C")});
    EXPECT_EQ(stored(), (QList<Row>{{"1", "ADAMS", "Standard", "1", "1"},
                                     {"1", "SMITH", "Jumpers", "1", "345C"},
                                     {"1", "SMITH", "Standard", "1", "3"}}));
    // Nothing checked: one placeholder keeps the judge on the day.
    saveJudgeClasses(dmod->ShwJudges, work, 12, 1, "SMITH", {});
    EXPECT_EQ(stored(), (QList<Row>{{"1", "ADAMS", "Standard", "1", "1"}, {"1", "SMITH", "", "", ""}}));
    saveJudgeClasses(dmod->ShwJudges, work, 12, 1, "SMITH", {});
    EXPECT_EQ(stored().size(), 2);
    EXPECT_EQ(judgesOfDay(dmod->ShwJudges, 1), (QStringList{"ADAMS", "SMITH"}));
    EXPECT_EQ(dmod->ShwJudges.recordCount(), 2u);   // packed, nothing left behind
}

TEST_F(JudgeAssignTest, DeletingTheOnlyJudgeOfADay)
{
    assign(1, "ADAMS", "Standard", "1", "1");
    assign(2, "ADAMS", "Standard", "1", "1");
    assign(2, "ADAMS", "Jumpers", "1", "12");
    deleteJudge(dmod->ShwJudges, 2, "ADAMS");
    EXPECT_TRUE(judgesOfDay(dmod->ShwJudges, 2).isEmpty());
    EXPECT_EQ(stored(), (QList<Row>{{"1", "ADAMS", "Standard", "1", "1"}}));
    EXPECT_EQ(dmod->ShwJudges.recordCount(), 1u);
}

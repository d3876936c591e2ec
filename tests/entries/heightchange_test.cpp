#include "entries/heightchange.h"
#include "entriesfixture.h"

#include <QFileInfo>

namespace {

class HeightChangeTest : public EntriesFixture
{
protected:
    // A results row of the dog with the given armband.
    void addResult(xbase::Table& results, const QString& armband, const QString& fullarm, const QString& jump,
                   const QString& classHt, const QString& classname = QStringLiteral("Standard"))
    {
        results.append();
        results.setText("armband", armband);
        results.setText("fullarm", fullarm);
        results.setText("jump_ht", jump);
        results.setText("class_ht", classHt);
        results.setText("classname", classname);
        results.setText("day_num", "1");
        ASSERT_TRUE(results.post());
    }

    struct ResultRow
    {
        QString armband, fullarm, jump, classHt;
    };
    std::vector<ResultRow> resultRows(xbase::Table& results)
    {
        std::vector<ResultRow> rows;
        xbase::ScanCursor scan = results.scan();
        for (quint32 rec = 1; rec <= results.recordCount(); ++rec) {
            scan.go(rec);
            rows.push_back({scan.text("armband"), scan.text("fullarm"), scan.text("jump_ht"), scan.text("class_ht")});
        }
        return rows;
    }
};

} // namespace

TEST_F(HeightChangeTest, DerivedHeightsNeverGoBelowFour)
{
    struct Case
    {
        int regular;
        const char* reg;
        const char* vet;
        const char* specialistHeight;
    };
    for (const Case& c : {Case{4, " 4", " 4", " 4"}, Case{8, " 8", " 4", " 4"}, Case{12, "12", " 8", " 4"},
                          Case{16, "16", "12", " 8"}, Case{20, "20", "16", "12"}, Case{24, "24", "20", "16"}}) {
        const heightchange::Heights h = heightchange::heightsFor(c.regular);
        EXPECT_EQ(h.regular, c.reg);
        EXPECT_EQ(h.veteran, c.vet);
        EXPECT_EQ(h.specialist, c.specialistHeight);
    }
}

TEST_F(HeightChangeTest, RegularDogMovesToTheEndOfTheNewSeriesWithItsResults)
{
    const quint32 dog = addDog("Dog", "R", "16", {}, "1603");
    addDog("Twelve", "R", "12", {}, "1207");
    addDog("Gone", "R", "12", {}, "1205", true);
    addDog("Other", "R", "16", {}, "1601");
    xbase::Table& results = openResults();
    addResult(results, "1603", "1603 H", "16", "16");
    addResult(results, "1603", "1603", "16", "16", "Jumpers");
    addResult(results, "1601", "1601", "16", "16");

    ASSERT_TRUE(heightchange::findDog(entries(), "1603"));
    EXPECT_EQ(entries().recNo(), dog);
    const std::optional<heightchange::Change> change = heightchange::changeHeight(entries(), &results, 12, 2);
    ASSERT_TRUE(change);
    EXPECT_EQ(change->oldArmband, "1603");
    EXPECT_EQ(change->newArmband, "1208");
    EXPECT_EQ(change->resultsRows, 2);
    EXPECT_EQ(field(dog, "reg_ht"), "12");
    EXPECT_EQ(armband(dog), "1208  ");
    EXPECT_EQ(field(dog, "srt_ht"), "0");

    const std::vector<ResultRow> rows = resultRows(results);
    EXPECT_EQ(rows[0].armband, "1208  ");
    EXPECT_EQ(rows[0].fullarm, "1208 H    ");   // the category marks after the armband stay
    EXPECT_EQ(rows[0].jump, "12");
    EXPECT_EQ(rows[0].classHt, "12");
    EXPECT_EQ(rows[1].armband, "1208  ");
    EXPECT_EQ(rows[2].armband, "1601  ");   // another dog's rows stay
    EXPECT_EQ(rows[2].classHt, "16");
}

TEST_F(HeightChangeTest, SecondHeightFollowsTheCategory)
{
    struct Case
    {
        const char* cat;
        const char* second;
        int newRegular;
        const char* vetHt;
        const char* specHt;
        const char* jump;
    };
    for (const Case& c : {Case{"V", "12", 20, "16", "  ", "16"}, Case{"T", " 8", 8, " 4", "  ", " 4"},
                          Case{"S", " 8", 24, "  ", "16", "16"}, Case{"R", "", 4, "  ", "  ", " 4"},
                          Case{"", "", 12, "  ", "  ", "12"}}) {
        SCOPED_TRACE(c.cat);
        entries().zap();
        if (dmod->Results.isOpen()) {
            dmod->Results.close();
            xbase::Table::remove(dmod->TablePath(data::TableId::Results, "00012"));
        }
        const quint32 dog = addDog("Dog", c.cat, "16", c.second, "1601");
        xbase::Table& results = openResults();
        addResult(results, "1601", "1601V", "xx", "16");

        ASSERT_TRUE(heightchange::findDog(entries(), "1601"));
        ASSERT_TRUE(heightchange::changeHeight(entries(), &results, c.newRegular, 2));
        EXPECT_EQ(field(dog, "vet_ht"), c.vetHt);
        EXPECT_EQ(field(dog, "spec_ht"), c.specHt);
        EXPECT_EQ(field(dog, "ht_cat").trimmed(), QString(c.cat));   // category untouched
        EXPECT_EQ(resultRows(results)[0].jump, c.jump);
        EXPECT_EQ(resultRows(results)[0].classHt, heightchange::heightsFor(c.newRegular).regular);
    }
}

TEST_F(HeightChangeTest, NewSeriesStartsAtOneAndThePresentHeightGoesToItsEnd)
{
    const quint32 dog = addDog("Dog", "R", "16", {}, "1603");
    addDog("Other", "R", "16", {}, "1604");
    ASSERT_TRUE(heightchange::findDog(entries(), "1603"));
    auto change = heightchange::changeHeight(entries(), nullptr, 24, 2);
    ASSERT_TRUE(change);
    EXPECT_EQ(change->newArmband, "2401");
    EXPECT_EQ(change->resultsRows, 0);

    ASSERT_TRUE(heightchange::findDog(entries(), "2401"));
    change = heightchange::changeHeight(entries(), nullptr, 24, 2);
    EXPECT_EQ(change->newArmband, "2402");   // its own number counts too

    // Three digits, and the eight-inch series with its blank in front.
    EXPECT_EQ(heightchange::nextArmband(entries(), 8, 3), " 8001");
    addDog("Small", "R", " 8", {}, " 8007");
    EXPECT_EQ(heightchange::nextArmband(entries(), 8, 3), " 8008");
    EXPECT_EQ(armband(dog).trimmed(), "2402");
}

TEST_F(HeightChangeTest, ArmbandIsLookedUpExactlyAsTyped)
{
    const quint32 small = addDog("Small", "R", " 8", {}, " 801");
    addDog("NoNumber", "R", "12");
    EXPECT_FALSE(heightchange::findDog(entries(), "801"));
    EXPECT_EQ(entries().currentTag(), "ARMBAND");
    ASSERT_TRUE(heightchange::findDog(entries(), " 801"));
    EXPECT_EQ(entries().recNo(), small);
    // A blank text would find the dogs without a number.
    EXPECT_FALSE(heightchange::findDog(entries(), ""));
    EXPECT_FALSE(heightchange::findDog(entries(), "   "));
}

TEST_F(HeightChangeTest, WithoutAResultsTableOnlyTheEntryChanges)
{
    const quint32 dog = addDog("Dog", "V", "16", "12", "1601");
    EXPECT_FALSE(dmod->ResultsExists("00012"));
    ASSERT_TRUE(heightchange::findDog(entries(), "1601"));
    const auto change = heightchange::changeHeight(entries(), nullptr, 20, 2);
    ASSERT_TRUE(change);
    EXPECT_EQ(field(dog, "vet_ht"), "16");
    EXPECT_EQ(armband(dog).trimmed(), "2001");
    EXPECT_FALSE(dmod->ResultsExists("00012"));
}

TEST_F(HeightChangeTest, OwnerShowsItsAmpersandAndTheCategoryItsCaption)
{
    const quint32 dog = addEntry({{"first", "Ann & Bob"}, {"last", "Smith"}, {"ht_cat", "T"}});
    entries().go(dog);
    EXPECT_EQ(heightchange::ownerCaption(entries()), "Ann & Bob Smith");
    EXPECT_EQ(heightchange::categoryCaption(heightchange::categoryOf(entries())), "ENTHUSIAST");
    EXPECT_EQ(heightchange::categoryCaption(heightchange::Category::Regular), "");
    EXPECT_EQ(heightchange::text::changed("1603  "), "All Records for Armband # 1603 Have been changed.");
}

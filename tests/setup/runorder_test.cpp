#include "data/trialchecks.h"
#include "support/scripteddialogs.h"
#include "setup/levelgroups.h"
#include "setup/prerequisites.h"
#include "setup/runorder.h"
#include "setupfixture.h"

using setup::BoxId;
using setup::BoxKind;
using setup::DayBoxes;
using setup::RunOrderRow;

namespace {


class RunOrderTest : public SetupFixture
{
protected:
    setup::TrialOffer offer() { return *setup::findTrial(*dmod, 12); }

    void open()
    {
        setup::buildRunOrder(*dmod, offer());
        setup::buildJumpHts(*dmod, offer());
    }

    DayBoxes day(int n) { return setup::loadDay(dmod->RunOrder, dmod->JumpHts, n); }
    void save(int n, const DayBoxes& boxes) { setup::saveDay(dmod->RunOrder, dmod->JumpHts, 12, n, boxes); }

    // ring and srt_key of the row of day, class, run and levels
    std::pair<QString, QString> placeOf(const QString& dayNum, const QString& cls, const QString& levels)
    {
        for (const RunOrderRow& r : setup::readRunOrderRows(dmod->RunOrder))
            if (r.day == dayNum && r.classname == cls && r.levels == levels)
                return {r.ring, r.srtKey};
        return {};
    }
};

const QStringList kSixItems = {"Standard - R1 - L1      ", "Standard - R1 - L2      ", "Standard - R1 - L3      ",
                               "Standard - R1 - L45C    ", "Jumpers - R1 - L12     ",  "Jumpers - R1 - L345C   "};
const QStringList kLowToHigh = {" 4", " 8", "12", "16", "20", "24"};

} // namespace

TEST_F(RunOrderTest, FirstOpeningPutsEveryGroupUnassignedInOrder)
{
    groupedTrial();
    open();
    const DayBoxes boxes = day(1);
    EXPECT_EQ(boxes.classes[0], kSixItems);
    for (int ring = 1; ring <= 4; ++ring) {
        EXPECT_TRUE(boxes.classes[size_t(ring)].isEmpty());
        EXPECT_EQ(boxes.heights[size_t(ring - 1)], kLowToHigh);
    }
    QStringList keys;
    for (const RunOrderRow& r : setup::readRunOrderRows(dmod->RunOrder))
        keys << r.ring + r.srtKey;
    EXPECT_EQ(keys, (QStringList{"001", "002", "003", "004", "005", "006"}));
    EXPECT_EQ(dmod->RunOrder.currentTag(), QStringLiteral("RUNKEY"));
    EXPECT_EQ(dmod->JumpHts.recordCount(), 24u);
}

TEST_F(RunOrderTest, ThePlaceCounterRunsOnIntoTheNextDay)
{
    groupedTrial(2);
    open();
    EXPECT_EQ(placeOf("2", "Standard", "1"), std::make_pair(QString("0"), QString("07")));
    EXPECT_EQ(placeOf("2", "Jumpers", "345C"), std::make_pair(QString("0"), QString("12")));
    EXPECT_EQ(dmod->JumpHts.recordCount(), 48u);
}

TEST_F(RunOrderTest, ThePlaceCounterStartsAgainRatherThanPassing99)
{
    // Three days of 7 classes x 2 runs x 4 groups: 56 a day.
    setup::TrialOffer offer;
    offer.showNum = 12;
    QList<setup::LevGroupRow> groups;
    for (int d = 1; d <= 3; ++d) {
        setup::DayOffer day;
        day.available = "12345C";
        day.runs.fill(2);
        offer.days.push_back(day);
    }
    for (setup::LevGroupRow& r : setup::levGroupRowsFor(offer)) {
        r.groups = {"1", "2", "3", "45C"};
        groups.push_back(r);
    }
    const QList<RunOrderRow> rows = setup::runOrderRowsFor(offer, groups);
    ASSERT_EQ(rows.size(), 168);
    EXPECT_EQ(rows[55].srtKey, QStringLiteral("56"));
    EXPECT_EQ(rows[56].srtKey, QStringLiteral("01"));    // 56 + 56 would pass 99
    EXPECT_EQ(rows[111].srtKey, QStringLiteral("56"));
    // Snooker comes before Jackpot in the running order.
    EXPECT_EQ(rows[24].classname, QStringLiteral("Snooker"));
    EXPECT_EQ(rows[32].classname, QStringLiteral("Jackpot"));
}

TEST_F(RunOrderTest, SavingADayNumbersEachBoxFromOne)
{
    groupedTrial(2);
    open();
    DayBoxes boxes = day(1);
    const BoxId unassigned{BoxKind::Classes, 0};
    const BoxId ring2{BoxKind::Classes, 2};
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(setup::dropItem(boxes, unassigned, 1, ring2, 0), i);   // always appended
    EXPECT_EQ(boxes.classes[2], (QStringList{kSixItems[1], kSixItems[2], kSixItems[3]}));
    save(1, boxes);

    EXPECT_EQ(placeOf("1", "Standard", "2"), std::make_pair(QString("2"), QString("01")));
    EXPECT_EQ(placeOf("1", "Standard", "3"), std::make_pair(QString("2"), QString("02")));
    EXPECT_EQ(placeOf("1", "Standard", "45C"), std::make_pair(QString("2"), QString("03")));
    EXPECT_EQ(placeOf("1", "Standard", "1"), std::make_pair(QString("0"), QString("01")));
    EXPECT_EQ(placeOf("1", "Jumpers", "12"), std::make_pair(QString("0"), QString("02")));
    EXPECT_EQ(placeOf("1", "Jumpers", "345C"), std::make_pair(QString("0"), QString("03")));
    // Day 2 untouched, nothing left deleted, and the day reads back as it was saved.
    EXPECT_EQ(placeOf("2", "Standard", "1"), std::make_pair(QString("0"), QString("07")));
    EXPECT_EQ(dmod->RunOrder.recordCount(), 12u);
    EXPECT_EQ(dmod->JumpHts.recordCount(), 48u);
    EXPECT_EQ(day(1), boxes);
}

TEST_F(RunOrderTest, FlippedHeightsAreStoredInTheirNewOrder)
{
    groupedTrial();
    open();
    DayBoxes boxes = day(1);
    setup::flipHeights(boxes, 1);
    EXPECT_EQ(boxes.heights[0], (QStringList{"24", "20", "16", "12", " 8", " 4"}));
    save(1, boxes);

    xbase::ScanCursor c = dmod->JumpHts.scan();
    c.setCurrentTag("HTKEY");
    ASSERT_TRUE(c.seek("1124"));
    EXPECT_EQ(c.text("ht_key"), QStringLiteral("1"));
    ASSERT_TRUE(c.seek("11 4"));   // the height keeps its leading blank
    EXPECT_EQ(c.text("ht_key"), QStringLiteral("6"));
    ASSERT_TRUE(c.seek("12 4"));
    EXPECT_EQ(c.text("ht_key"), QStringLiteral("1"));
    EXPECT_EQ(day(1).heights[0], boxes.heights[0]);
}

TEST_F(RunOrderTest, RegroupingKeepsEveryOtherAssignment)
{
    groupedTrial();
    open();
    DayBoxes boxes = day(1);
    setup::moveAllToRing1(boxes);
    EXPECT_TRUE(boxes.classes[0].isEmpty());
    EXPECT_EQ(boxes.classes[1], kSixItems);
    ASSERT_TRUE(setup::dropItem(boxes, {BoxKind::Classes, 1}, 5, {BoxKind::Classes, 3}, -1));
    save(1, boxes);

    setGroups("11Standard", {"1", "2", "4", "5C"});
    // Standard now 1, 2, 4, 5C: group 3 is gone, 4 and 5C are new.
    open();
    const DayBoxes after = day(1);
    EXPECT_EQ(after.classes[0], (QStringList{"Standard - R1 - L4      ", "Standard - R1 - L5C     "}));
    EXPECT_EQ(after.classes[1], (QStringList{kSixItems[0], kSixItems[1], kSixItems[4]}));
    EXPECT_EQ(after.classes[3], (QStringList{kSixItems[5]}));
    EXPECT_EQ(placeOf("1", "Jumpers", "12"), std::make_pair(QString("1"), QString("05")));
    // The previous running order was left in the work table.
    xbase::Table work;
    work.open(path("pgmdata/vRunOrd.dbf"));
    EXPECT_EQ(setup::readRunOrderRows(work).size(), 6);
}

TEST_F(RunOrderTest, DropsFollowTheBoxRules)
{
    const BoxId un{BoxKind::Classes, 0}, r1{BoxKind::Classes, 1}, h1{BoxKind::Heights, 1}, h2{BoxKind::Heights, 2};
    DayBoxes start;
    start.classes[0] = {"a", "b", "c"};
    start.classes[1] = {"x"};
    start.heights[0] = kLowToHigh;
    start.heights[1] = kLowToHigh;

    struct Case
    {
        const char* what;
        BoxId source;
        int row;
        BoxId target;
        int targetRow;
        std::optional<int> selected;
        QStringList unassigned, ring1, heights1;
    };
    const Case cases[] = {
        {"onto another class box: appended", un, 0, r1, 0, 1, {"b", "c"}, {"x", "a"}, kLowToHigh},
        {"within: to the row under the mouse", un, 0, un, 2, 2, {"b", "c", "a"}, {"x"}, kLowToHigh},
        {"within: upwards", un, 2, un, 0, 0, {"c", "a", "b"}, {"x"}, kLowToHigh},
        {"within: below the last item", un, 0, un, -1, 2, {"b", "c", "a"}, {"x"}, kLowToHigh},
        {"within: past the end", un, 1, un, 7, 2, {"a", "c", "b"}, {"x"}, kLowToHigh},
        {"a box of one ignores it", r1, 0, r1, -1, std::nullopt, {"a", "b", "c"}, {"x"}, kLowToHigh},
        {"class onto heights", un, 0, h1, 0, std::nullopt, {"a", "b", "c"}, {"x"}, kLowToHigh},
        {"heights onto a class box", h1, 0, r1, 0, std::nullopt, {"a", "b", "c"}, {"x"}, kLowToHigh},
        {"heights onto other heights", h1, 0, h2, 0, std::nullopt, {"a", "b", "c"}, {"x"}, kLowToHigh},
        {"heights within", h1, 5, h1, 0, 0, {"a", "b", "c"}, {"x"}, {"24", " 4", " 8", "12", "16", "20"}},
        {"heights below the last", h1, 0, h1, -1, 5, {"a", "b", "c"}, {"x"}, {" 8", "12", "16", "20", "24", " 4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DayBoxes boxes = start;
        EXPECT_EQ(setup::dropItem(boxes, c.source, c.row, c.target, c.targetRow), c.selected);
        EXPECT_EQ(boxes.classes[0], c.unassigned);
        EXPECT_EQ(boxes.classes[1], c.ring1);
        EXPECT_EQ(boxes.heights[0], c.heights1);
        EXPECT_EQ(boxes.heights[1], kLowToHigh);
    }
}

TEST_F(RunOrderTest, ItemTextsReadBackIntoTheirParts)
{
    const struct
    {
        const char* cls;
        const char* round;
        const char* levels;
        const char* text;
        const char* parsedLevels;
    } cases[] = {{"Jumpers        ", "1", "345C   ", "Jumpers - R1 - L345C   ", "345C"},
                 {"FullHouse", "2", "12345C", "FullHouse - R2 - L12345C", "12345C"},
                 {"Standard", "1", "", "Standard - R1 - L", ""}};
    for (const auto& c : cases) {
        const QString text = setup::itemText(c.cls, c.round, c.levels);
        EXPECT_EQ(text, QString::fromLatin1(c.text));
        const auto parts = setup::parseItem(text);
        ASSERT_TRUE(parts) << c.text;
        EXPECT_EQ(parts->classname, QString::fromLatin1(c.cls).trimmed());
        EXPECT_EQ(parts->round, QString::fromLatin1(c.round));
        EXPECT_EQ(parts->levels, QString::fromLatin1(c.parsedLevels));
    }
    EXPECT_FALSE(setup::parseItem("Jumpers"));
    EXPECT_FALSE(setup::parseItem("Jumpers - R"));
}

TEST_F(RunOrderTest, RunningOrderPrerequisiteWantsTheTableAndEveryRing)
{
    groupedTrial();
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("You must Define the Your Running Order first");
        EXPECT_FALSE(setup::CheckRunningOrder(*dmod, 12));
        EXPECT_EQ(dialogs.messages().value(0).title, data::kMissingData);
    }
    open();
    DayBoxes boxes = day(1);
    setup::moveAllToRing1(boxes);
    boxes.classes[1].move(5, 0);
    boxes.classes[0].push_back(boxes.classes[1].takeLast());
    save(1, boxes);
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("Some Classes have not been assigned to Rings;;Go To  Tasks/Define Running Order  from Main Screen");
        EXPECT_FALSE(setup::CheckRunningOrder(*dmod, 12));
        EXPECT_EQ(dialogs.messages().size(), 1);
    }
    boxes.classes[2].push_back(boxes.classes[0].takeFirst());
    save(1, boxes);
    {
        ScriptedDialogs dialogs;
        EXPECT_TRUE(setup::CheckRunningOrder(*dmod, 12));
        EXPECT_TRUE(setup::RingsAssigned(*dmod));
    }
}

TEST_F(RunOrderTest, ADayAddedLaterGetsItsHeightsAndKeepsTheOthers)
{
    groupedTrial(1);
    open();
    DayBoxes boxes = day(1);
    setup::flipHeights(boxes, 2);
    save(1, boxes);

    groupedTrial(2);   // a second day added once the running order was made
    open();
    const DayBoxes second = day(2);
    for (int ring = 1; ring <= 4; ++ring)
        EXPECT_EQ(second.heights[size_t(ring - 1)], kLowToHigh) << ring;
    EXPECT_EQ(day(1).heights, boxes.heights);   // the first day's order is left as saved
    EXPECT_EQ(dmod->JumpHts.recordCount(), 48u);
    open();   // nothing more to add
    EXPECT_EQ(dmod->JumpHts.recordCount(), 48u);
}

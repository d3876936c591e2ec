#include "entries/armbands.h"
#include "entriesfixture.h"

#include <QSet>

using armbands::Assign;

namespace {

class ArmbandsTest : public EntriesFixture
{
protected:
    // Every armband of the live records is set and none appears twice, deleted records' included.
    void expectAllNumberedOnce()
    {
        QSet<QString> seen;
        xbase::ScanCursor scan = entries().scan();
        for (scan.first(); !scan.eof(); scan.next()) {
            const QString a = scan.text("armband").trimmed();
            if (!scan.isDeleted())
                EXPECT_FALSE(a.isEmpty()) << "record " << scan.recNo();
            if (!a.isEmpty()) {
                EXPECT_FALSE(seen.contains(a)) << qPrintable(a) << " twice";
                seen.insert(a);
            }
        }
    }
};

} // namespace

TEST_F(ArmbandsTest, NumbersFollowTheHeightSeriesForTwoAndThreeDigits)
{
    struct Case
    {
        int digits;
        QStringList expected;
    };
    for (const Case& c : {Case{2, {" 801", " 802", " 803", "1201", "1202"}},
                          Case{3, {" 8001", " 8002", " 8003", "12001", "12002"}}}) {
        SCOPED_TRACE(c.digits);
        entries().zap();
        // Typed out of order; the Ascending Heights order walks the 8-inch dogs first.
        const quint32 big1 = addDog("Big1", "R", "12");
        const quint32 small1 = addDog("Small1", "R", " 8");
        const quint32 big2 = addDog("Big2", "R", "12");
        const quint32 small2 = addDog("Small2", "R", " 8");
        const quint32 small3 = addDog("Small3", "R", " 8");
        entries().setCurrentTag("SORTHTA");

        const armbands::AssignResult r = armbands::autoAssign(entries(), Assign::Armbands, c.digits);
        EXPECT_EQ(r.armbands, 5);
        EXPECT_TRUE(r.unnumbered.isEmpty());
        EXPECT_EQ(r.gateKeys, 0);
        const QList<quint32> order{small1, small2, small3, big1, big2};
        for (int i = 0; i < order.size(); ++i)
            EXPECT_EQ(armband(order[i]).trimmed(), c.expected[i].trimmed()) << i;
        EXPECT_EQ(armband(small1).left(c.digits + 2), c.expected[0]);   // a blank in front
        EXPECT_TRUE(gateKey(small1).trimmed().isEmpty());              // armbands only
        EXPECT_EQ(entries().recNo(), small1);                          // ends on the first record
    }
}

TEST_F(ArmbandsTest, VeteranKeepsTheRegularSeriesButJumpsInTheLowerLetter)
{
    const quint32 vet = addDog("Vet", "V", "16", "12");
    const quint32 reg16 = addDog("Reg", "R", "16");
    const quint32 specialist = addDog("Skye", "S", "16", " 8");
    const quint32 ent = addDog("Ent", "T", "20", "16");
    entries().setCurrentTag("SORTHTA");

    armbands::autoAssign(entries(), Assign::Both, 2);
    EXPECT_EQ(armband(reg16).trimmed(), "1601");   // srt_ht 0 before 1 before 2
    EXPECT_EQ(armband(vet).trimmed(), "1602");
    EXPECT_EQ(armband(specialist).trimmed(), "1603");
    EXPECT_EQ(armband(ent).trimmed(), "2001");
    EXPECT_EQ(gateKey(vet), "C002");
    EXPECT_EQ(gateKey(reg16), "D002");
    EXPECT_EQ(gateKey(specialist), "B002");
    EXPECT_EQ(gateKey(ent), "D004");   // after the regular 16-inch dog in the walk

    entries().go(vet);
    EXPECT_EQ(armbands::actualJumpHeight(entries()), 12);
    EXPECT_EQ(armbands::rowColour(entries()), QColor(255, 248, 179));
}

TEST_F(ArmbandsTest, GateKeysOfOneLetterStepByTwoAndStartAgainEachRun)
{
    QList<quint32> dogs;
    for (const char* name : {"A", "B", "C"})
        dogs << addDog(name, "R", "12");
    entries().setCurrentTag("SORTHTA");
    for (int run = 0; run < 2; ++run) {
        const armbands::AssignResult r = armbands::autoAssign(entries(), Assign::GateKeys, 2);
        EXPECT_EQ(r.gateKeys, 3);
        EXPECT_EQ(gateKey(dogs[0]), "C002");
        EXPECT_EQ(gateKey(dogs[1]), "C004");
        EXPECT_EQ(gateKey(dogs[2]), "C006");
        EXPECT_TRUE(armband(dogs[0]).trimmed().isEmpty());   // gate keys only
    }
}

TEST_F(ArmbandsTest, EntryWithoutCategoryGetsAnArmbandButNoGateKeyAndNoColour)
{
    const quint32 none = addDog("None", "", "12");
    entries().go(none);
    entries().edit();
    entries().setText("gatekey", "Z9");
    ASSERT_TRUE(entries().post());
    const quint32 noHeight = addDog("Blank", "", "");
    const quint32 reg = addDog("Reg", "R", "12");
    entries().setCurrentTag("SORTHTA");

    armbands::autoAssign(entries(), Assign::Both, 2);
    EXPECT_EQ(armband(noHeight).trimmed(), "01");
    EXPECT_EQ(armband(noHeight).left(4), "  01");   // blank height: two blanks in front
    EXPECT_EQ(armband(none).trimmed(), "1201");   // same key as the regular dog, typed first
    EXPECT_EQ(armband(reg).trimmed(), "1202");
    EXPECT_EQ(gateKey(none), "Z9  ");               // keeps its old key
    EXPECT_TRUE(gateKey(noHeight).trimmed().isEmpty());
    EXPECT_EQ(gateKey(reg), "C002");

    entries().go(none);
    EXPECT_EQ(armbands::actualJumpHeight(entries()), 0);
    EXPECT_FALSE(armbands::rowColour(entries()).isValid());
    // A height outside the six is as good as none.
    const quint32 odd = addDog("Odd", "R", "10");
    entries().go(odd);
    EXPECT_EQ(armbands::actualJumpHeight(entries()), 10);
    EXPECT_FALSE(armbands::rowColour(entries()).isValid());
}

TEST_F(ArmbandsTest, DeletedRecordsKeepTheirNumbersAndStillCountAsDuplicates)
{
    const quint32 gone = addDog("Gone", "R", " 8", {}, " 801", true);
    entries().go(gone);
    entries().edit();
    entries().setText("gatekey", "B002");
    ASSERT_TRUE(entries().post());
    const quint32 a = addDog("A", "R", " 8");
    const quint32 b = addDog("B", "R", " 8");
    entries().setCurrentTag("SORTHTA");

    const armbands::AssignResult r = armbands::autoAssign(entries(), Assign::Both, 2);
    EXPECT_TRUE(r.unnumbered.isEmpty());
    EXPECT_EQ(armband(gone), " 801  ");
    EXPECT_EQ(gateKey(gone), "B002");
    EXPECT_EQ(armband(a).trimmed(), "802");   // 801 stays the deleted dog's
    EXPECT_EQ(armband(b).trimmed(), "803");
    EXPECT_EQ(gateKey(a), "B002");            // gate keys have no such rule
    expectAllNumberedOnce();

    armbands::clearArmbands(entries());
    armbands::clearGateKeys(entries());
    EXPECT_EQ(armband(gone), " 801  ");
    EXPECT_EQ(gateKey(gone), "B002");
    EXPECT_TRUE(armband(a).trimmed().isEmpty());
    EXPECT_TRUE(gateKey(b).trimmed().isEmpty());

    // The deleted dog's number is refused for a live one.
    EXPECT_TRUE(armbands::isDuplicate(entries(), " 801", a));
    EXPECT_FALSE(armbands::isDuplicate(entries(), " 801", gone));
    EXPECT_FALSE(armbands::isDuplicate(entries(), "   ", a));
}

TEST_F(ArmbandsTest, LateEntriesAreNumberedWithoutDuplicatesWhateverTheOldNumbers)
{
    // A first run numbered three 12-inch dogs; then a dog was deleted, a late 12-inch entry
    // came in that sorts before the others, and an 8-inch dog holds a stale 12-inch number.
    const quint32 a = addDog("A", "R", "12", {}, "1201");
    const quint32 b = addDog("B", "R", "12", {}, "1202");
    addDog("C", "R", "12", {}, "1203", true);
    const quint32 late = addDog("Late", "R", "12");
    const quint32 small = addDog("Small", "R", " 8", {}, "1204");
    // The window's before-post rule stays attached during the run, as it is in the window.
    const auto handler = entries().onBeforePost([](xbase::Table& t) { return !armbands::prepareForPost(t, 2); });
    entries().setCurrentTag("ARMBAND");   // the late entry (blank) walks first

    const armbands::AssignResult r = armbands::autoAssign(entries(), Assign::Armbands, 2);
    entries().detach(handler);
    EXPECT_TRUE(r.refused.isEmpty());
    EXPECT_TRUE(r.unnumbered.isEmpty());
    EXPECT_EQ(r.armbands, 4);
    expectAllNumberedOnce();
    EXPECT_EQ(armband(late).trimmed(), "1201");
    EXPECT_EQ(armband(a).trimmed(), "1202");
    EXPECT_EQ(armband(b).trimmed(), "1204");   // 1203 is the deleted dog's
    EXPECT_EQ(armband(small).trimmed(), "801");
}

TEST_F(ArmbandsTest, HeightsComingBackInTheWalkContinueTheirSeries)
{
    // In record order the heights alternate; the running number restarts at each change,
    // but a number already given is passed over.
    const quint32 s1 = addDog("S1", "R", " 8");
    const quint32 b1 = addDog("B1", "R", "12");
    const quint32 s2 = addDog("S2", "R", " 8");
    const quint32 b2 = addDog("B2", "R", "12");
    entries().setCurrentTag("");
    armbands::autoAssign(entries(), Assign::Armbands, 2);
    EXPECT_EQ(armband(s1).trimmed(), "801");
    EXPECT_EQ(armband(b1).trimmed(), "1201");
    EXPECT_EQ(armband(s2).trimmed(), "802");
    EXPECT_EQ(armband(b2).trimmed(), "1202");
    expectAllNumberedOnce();
}

TEST_F(ArmbandsTest, RecordsThatCannotBeNumberedAreReportedAndLeftBlank)
{
    // One place for the running number leaves room for nine dogs of a height.
    QList<quint32> dogs;
    for (int i = 0; i < 11; ++i)
        dogs << addDog(QString::number(i), "R", "16", {}, i == 10 ? "99" : QString());
    entries().setCurrentTag("");
    const armbands::AssignResult r = armbands::autoAssign(entries(), Assign::Armbands, 1);
    EXPECT_EQ(r.armbands, 9);
    EXPECT_EQ(r.unnumbered, (QList<quint32>{dogs[9], dogs[10]}));
    EXPECT_EQ(armband(dogs[8]).trimmed(), "169");
    EXPECT_TRUE(armband(dogs[10]).trimmed().isEmpty());   // its old number could clash

    // A write the table refuses is reported too, and the record keeps what it had.
    entries().zap();
    const quint32 keep = addDog("Keep", "R", "12", {}, "1299");
    const quint32 other = addDog("Other", "R", "12");
    const auto veto = entries().onBeforePost([keep](xbase::Table& t) { return t.recNo() != keep; });
    const armbands::AssignResult refused = armbands::autoAssign(entries(), Assign::Armbands, 2);
    entries().detach(veto);
    EXPECT_EQ(refused.refused, QList<quint32>{keep});
    EXPECT_EQ(armband(keep).trimmed(), "1299");
    EXPECT_EQ(armband(other).trimmed(), "1202");
}

TEST_F(ArmbandsTest, WrittenFromTheWindowTheArmbandIsRightAlignedAndTheGateKeyInCapitals)
{
    const quint32 other = addDog("Other", "R", "12", {}, "1204");
    const quint32 gone = addDog("Gone", "R", "12", {}, "1205", true);
    const quint32 dog = addDog("Dog", "R", " 8");
    entries().go(dog);

    struct Case
    {
        QString armband;
        QString gateKey;
        std::optional<QString> message;
        QString storedArmband;
        QString storedGateKey;
    };
    for (const Case& c : {Case{"7", "c3", std::nullopt, "   7  ", "C3  "},
                          Case{"801", "b002", std::nullopt, " 801  ", "B002"},
                          Case{"1204  ", "x", QString("1204 is a Duplicate Armband # - Revise"), "1204  ", "x   "},
                          // Only trailing blanks go: a blank in front is part of the number.
                          Case{" 1205", "x", std::nullopt, " 1205 ", "X   "},
                          Case{"", "d", std::nullopt, "      ", "D   "},
                          // Numbered under three digits: too long to align, but the blank of
                          // the 8-inch series stays in front.
                          Case{" 8001", "b004", std::nullopt, " 8001 ", "B004"}}) {
        SCOPED_TRACE(qPrintable(c.armband));
        entries().edit();
        entries().setText("armband", c.armband);
        entries().setText("gatekey", c.gateKey);
        EXPECT_EQ(armbands::prepareForPost(entries(), 2), c.message);
        EXPECT_EQ(entries().text("armband"), c.storedArmband);
        EXPECT_EQ(entries().text("gatekey"), c.storedGateKey);
        entries().cancel();
    }
    Q_UNUSED(other);
    Q_UNUSED(gone);
    // With three digits the armband takes five places.
    entries().edit();
    entries().setText("armband", "7");
    EXPECT_FALSE(armbands::prepareForPost(entries(), 3));
    EXPECT_EQ(entries().text("armband"), "    7 ");
    entries().cancel();
}

TEST_F(ArmbandsTest, OnTheEntryPanelTheGateKeyIsStoredInCapitalsToo)
{
    const quint32 dog = addDog("Dog", "R", " 8");
    entries().go(dog);
    entries().edit();
    entries().setText("armband", "7");
    entries().setText("gatekey", "c3");
    armbands::normaliseEntryFields(entries(), 2);
    ASSERT_TRUE(entries().post());
    EXPECT_EQ(armband(dog), "   7  ");
    EXPECT_EQ(gateKey(dog), "C3  ");
}

TEST_F(ArmbandsTest, EntryPanelKeepsTheLeadingBlankOfAnArmbandLongerThanTheDigits)
{
    // Numbered with three digits, then the preference went back to two: writing the
    // entry must not turn the 8-inch " 8001" into "8001".
    const quint32 dog = addDog("Dog", "R", " 8", {}, " 8001");
    entries().go(dog);
    entries().edit();
    entries().setText("call_name", "Renamed");
    armbands::normaliseEntryFields(entries(), 2);
    ASSERT_TRUE(entries().post());
    EXPECT_EQ(armband(dog), " 8001 ");
}

TEST_F(ArmbandsTest, LegendAndPreferenceTexts)
{
    const auto& letters = armbands::heightLetters();
    EXPECT_EQ(armbands::legendLine(letters.front()), "A = 4\" = Orange");
    EXPECT_EQ(armbands::legendLine(letters.back()), "F = 24\" = Pink");
    EXPECT_EQ(armbands::letterForHeight(16)->letter, QChar('D'));
    EXPECT_FALSE(armbands::letterForHeight(10));
    EXPECT_EQ(armbands::gateKeyFor(QChar('c'), 4), "C004");

    struct Case
    {
        const char* preference;
        int digits;
        const char* caption;
    };
    for (const Case& c : {Case{"AfterAutomatic", 2, "Current Armband Preferences = AFTER - 4 Digits"},
                          Case{"Manual", 3, "Current Armband Preferences = MANUAL - 5 Digits"},
                          Case{"InputAutomatic", 2, "Current Armband Preferences = AS INPUTTED - 4 Digits"},
                          Case{"", 2, "Current Armband Preferences = AS INPUTTED - 4 Digits"}})
        EXPECT_EQ(armbands::preferenceCaption(c.preference, c.digits), c.caption);
}

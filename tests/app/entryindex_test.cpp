#include "app/entryindex.h"
#include "entrybrowsefixture.h"
#include "support/scripteddialogs.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace entryindex;

TEST(EntryIndex, LabelsAndNamesFollowTheFirstLetterOfTheTag)
{
    struct Case
    {
        const char* tag;
        const char* label;
        const char* gridName;
    } cases[] = {
        {"NAME", "Last Name", "Last Name"},   {"namearm", "Last Name", "Last Name"},
        {"ARMBAND", "Armband #", "Armband #"}, {"IDKEY", "AGX ID#", "AGX ID#"},
        {"CALLNAM", "Call Name", "Call Name"}, {"", "Record #", "Input Order"},
        {"GATEKEY", "Record #", "Input Order"}, {"SORTHTA", "Record #", "Input Order"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(searchLabel(c.tag), c.label) << c.tag;
        EXPECT_EQ(gridOrderName(c.tag), c.gridName) << c.tag;
    }
    ASSERT_EQ(entryOrders().size(), 5);
    QStringList status;
    for (const EntryOrder& o : entryOrders())
        status << o.menuCaption + "|" + o.tag + "|" + o.statusText + "|" + o.searchLabel;
    EXPECT_EQ(status, QStringList({"Last Name|NAME|Current Index is Last Name|Last Name",
                                   "Armband #|ARMBAND|Current Index = Armband #|Armband #",
                                   "AGX ID #|IDKEY|Current Index = AGX Member ID#|AGX ID#",
                                   "Call Name|CALLNAM|Current Index = Call Name + Armband|Call Name",
                                   "Input Order||Current Index = Input Order|Record #"}));
    EXPECT_EQ(entryOrders()[2].gridCaption, "AGX ID#");
    EXPECT_EQ(orderOfTag("callnam").menuCaption, "Call Name");
    EXPECT_EQ(orderOfTag("GATEKEY").menuCaption, "Input Order");
}

TEST(EntryIndex, AgxIdsAreNormalisedBeforeTheSearch)
{
    const std::pair<const char*, const char*> cases[] = {
        {"12-3", "00012-03"}, {"1234", "01234"}, {"12345-01", "12345-01"}, {"7", "07"},
        {"00012-3", "00012-03"}, {"12-345", "00012-34"}, {"ABC", "ABC"}, {"12-X", "12-X"}, {"-5", "-5"},
    };
    for (const auto& [typed, sought] : cases)
        EXPECT_EQ(normaliseAgxId(typed), sought) << typed;
}

TEST(EntryIndex, TheLastTextIsOfferedPaddedToTwenty)
{
    EXPECT_EQ(offeredText(""), QString(20, ' '));
    EXPECT_EQ(offeredText("SMI"), "SMI" + QString(17, ' '));
    EXPECT_EQ(offeredText(QString(25, 'X')), QString(25, 'X'));
}

class EntrySearchTest : public EntryBrowseFixture
{
protected:
    // Looks text up in the given order from record from; returns where the table ends.
    quint32 look(const QString& tag, quint32 from, const QString& text, SearchWindow window, FindOutcome* outcome = nullptr)
    {
        entries().setCurrentTag(tag);
        entries().go(from);
        const FindOutcome o = lookUp(entries(), text, window);
        if (outcome)
            *outcome = o;
        return entries().recNo();
    }
};

TEST_F(EntrySearchTest, KeysThatBeginWithTheTextAreFoundInEveryOrder)
{
    struct Case
    {
        const char* tag;
        const char* text;
        quint32 record;
    } cases[] = {
        {"NAME", "SMI", 1}, {"NAME", "SMITHE", 2}, {"NAME", "J", 4}, {"NAME", "ADAMS", 3},
        {"IDKEY", "12-3", 1}, {"IDKEY", "1234", 2}, {"IDKEY", "0012", 4},
        {"ARMBAND", "16", 2}, {"ARMBAND", "0801", 3}, {"CALLNAM", "MA", 4}, {"CALLNAM", "R", 1},
    };
    for (const Case& c : cases) {
        FindOutcome o;
        EXPECT_EQ(look(c.tag, 2, c.text, SearchWindow::Main, &o), c.record) << c.tag << " " << c.text;
        EXPECT_TRUE(o.found);
        EXPECT_TRUE(o.message.isEmpty());
    }
}

TEST_F(EntrySearchTest, NothingFoundStaysOnTheRecordAndSaysSo)
{
    const std::pair<const char*, const char*> cases[] = {
        {"NAME", "Could not find Last Name ZZ"}, {"IDKEY", "Could not find AGX ID# ZZ"},
        {"ARMBAND", "Could not find Armband # ZZ"}, {"CALLNAM", "Could not find Call Name ZZ"},
    };
    for (const auto& [tag, message] : cases) {
        FindOutcome o;
        EXPECT_EQ(look(tag, 4, "ZZ", SearchWindow::Main, &o), 4u) << tag;
        EXPECT_FALSE(o.found);
        EXPECT_EQ(o.message, message);
        EXPECT_EQ(o.icon, MessageIcon::Information);
    }
    // The typed text, not the normalised one, is named.
    FindOutcome o;
    look("IDKEY", 1, "99-9", SearchWindow::Grid, &o);
    EXPECT_EQ(o.message, "Could not find AGX ID# 99-9");
}

TEST_F(EntrySearchTest, HiddenDeletedEntriesAreNotFound)
{
    entries().setShowDeleted(false);
    FindOutcome o;
    EXPECT_EQ(look("NAME", 1, "ADA", SearchWindow::Main, &o), 1u);
    EXPECT_EQ(o.message, "Could not find Last Name ADA");
    EXPECT_EQ(look("", 1, "3", SearchWindow::Main, &o), 1u);
    EXPECT_EQ(o.message, "Could not find Record # 3");
    EXPECT_EQ(look("", 1, "3", SearchWindow::Grid, &o), 1u);
    EXPECT_FALSE(o.found);
}

TEST_F(EntrySearchTest, RecordNumbersInTheMainWindow)
{
    struct Case
    {
        const char* text;
        quint32 record;
        const char* message;
        MessageIcon icon;
    } cases[] = {
        {"3", 3, "", MessageIcon::Information},   // deleted but shown
        {"4", 4, "", MessageIcon::Information},
        {"0", 2, "", MessageIcon::Information},   // quietly nothing
        {"5", 2, "Database only has 4 Records", MessageIcon::Information},
        {"-1", 2, "Could not find Record # -1", MessageIcon::Information},
        {"ABC", 2, "'ABC' is not a valid integer value\r\n\r\n     Try again.", MessageIcon::None},
        {"", 2, "'' is not a valid integer value\r\n\r\n     Try again.", MessageIcon::None},
    };
    for (const Case& c : cases) {
        FindOutcome o;
        EXPECT_EQ(look("", 2, c.text, SearchWindow::Main, &o), c.record) << c.text;
        EXPECT_EQ(o.message, c.message) << c.text;
        EXPECT_EQ(o.icon, c.icon) << c.text;
    }
}

TEST_F(EntrySearchTest, RecordNumbersInTheGridWindow)
{
    const std::pair<const char*, quint32> found[] = {{"1", 1}, {"4", 4}};
    for (const auto& [text, record] : found)
        EXPECT_EQ(look("", 2, text, SearchWindow::Grid), record) << text;
    for (const char* text : {"5", "0", "-3", "X"}) {
        FindOutcome o;
        EXPECT_EQ(look("", 2, text, SearchWindow::Grid, &o), 2u) << text;
        EXPECT_EQ(o.message, QStringLiteral("Could not find Record # ") + text);
    }
}

TEST_F(EntrySearchTest, FindAsksWithTheLabelAndRemembersTheText)
{
    EntrySearch search(SearchWindow::Main);
    ScriptedDialogs dialogs;
    dialogs.expectInput("Enter Last Name to find: ", "smithe   ");
    entries().first();
    EXPECT_TRUE(search.find(entries()));
    EXPECT_EQ(entries().recNo(), 2u);
    EXPECT_EQ(search.lastText(), "SMITHE");
    EXPECT_EQ(dialogs.inputs()[0].title, "Find Record");
    EXPECT_EQ(dialogs.inputs()[0].defaultText, QString(20, ' '));

    entries().setCurrentTag("IDKEY");
    dialogs.expectInput("Enter AGX ID# to find: ", std::nullopt);
    EXPECT_FALSE(search.find(entries()));
    EXPECT_EQ(dialogs.inputs()[1].defaultText, "SMITHE" + QString(14, ' '));
    EXPECT_EQ(search.lastText(), "SMITHE");   // a cancelled search keeps it

    dialogs.expectInput("Enter AGX ID# to find: ", "77-7").expectMessage("Could not find AGX ID# 77-7");
    EXPECT_FALSE(search.find(entries()));
    EXPECT_EQ(entries().recNo(), 2u);

    entries().setCurrentTag("");
    dialogs.expectInput("Enter Record # to find: ", "9").expectMessage("Database only has 4 Records");
    EXPECT_FALSE(search.find(entries()));
}

TEST_F(EntrySearchTest, GridLayoutDefaultSavedAndRead)
{
    const QList<GridColumn> standard = defaultGridLayout();
    ASSERT_EQ(standard.size(), kGridColumns);
    EXPECT_EQ(standard[0].field, "MEM_DOG_ID");
    EXPECT_EQ(standard[0].width, 76);
    EXPECT_EQ(standard[11].field, "EMAIL");
    EXPECT_EQ(standard[11].width, 304);
    EXPECT_EQ(standard[22].field, "SRT_HT");
    EXPECT_EQ(standard[23].field, "SHOW_NUM");
    EXPECT_EQ(standard[23].width, 0);   // the grid's own width
    for (const GridColumn& c : standard)
        EXPECT_TRUE(entries().hasField(c.field)) << c.field.toStdString();

    EXPECT_EQ(readGridLayout(ini()).size(), kGridColumns);
    EXPECT_FALSE(QFile::exists(folders->gendefs()));

    QList<GridColumn> moved = standard;
    moved.move(2, 0);
    moved[0].width = 99;
    moved[23].width = 40;
    IniFile settings = ini();
    writeGridLayout(settings, moved);
    EXPECT_EQ(settings.readString("ShowGridFields", "TzGrid1[0]", ""), "BREED");
    EXPECT_EQ(settings.readInteger("ShowGridWidths", "TzGrid1[0]", 0), 99);
    EXPECT_EQ(settings.readString("ShowGridFields", "TzGrid1[2]", ""), "CALL_NAME");
    const QList<GridColumn> back = readGridLayout(settings);
    ASSERT_EQ(back.size(), kGridColumns);
    for (int c = 0; c < kGridColumns; ++c) {
        EXPECT_EQ(back[c].field, moved[c].field);
        EXPECT_EQ(back[c].width, moved[c].width);
    }

    // Keys missing from a saved layout: the field reads "Unknown", the width 1.
    settings.deleteKey("ShowGridWidths", "TzGrid1[5]");
    settings.deleteKey("ShowGridFields", "TzGrid1[6]");
    const QList<GridColumn> gaps = readGridLayout(settings);
    EXPECT_EQ(gaps[5].width, 1);
    EXPECT_EQ(gaps[6].field, "Unknown");
}

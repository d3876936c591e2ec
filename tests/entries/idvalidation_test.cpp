#include "agxfixture.h"

#include "entries/agxid.h"
#include "support/scripteddialogs.h"

#include <QFile>

using State = xbase::Table::State;

namespace {

// The entry form as the check sees it: every action is noted; Cancel and going to a record
// act on the entries table as the form's own would.
class FakeForm : public IdEntryForm
{
public:
    explicit FakeForm(TDmod& dmod) : m_dmod(dmod) {}

    bool focusMovingToCancel() const override { return toCancel; }
    QString loadedId() const override { return loaded; }
    QDate showDate() const override { return show; }

    void cancel() override
    {
        calls << "cancel";
        m_dmod.TzDbf1.cancel();
    }
    void focusAdd() override { calls << "focusAdd"; }
    void goToRecord(quint32 recNo) override
    {
        calls << QStringLiteral("go %1").arg(recNo);
        m_dmod.TzDbf1.go(recNo);
    }
    void setLoadedRegularHeight(int inches) override { regularHeight = inches; }
    void chooseRegularCategory() override
    {
        calls << "regular";
        m_dmod.TzDbf1.setText("ht_cat", "R");
        if (onRegular)
            onRegular();
    }
    void setLoadedBreed(const QString& breed) override { loadedBreed = breed; }
    void focusHandler() override { calls << "handler"; }
    void showBreedPickList() override { calls << "breedList"; }

    bool toCancel = false;
    QString loaded;
    QDate show{2004, 6, 5};
    QStringList calls;
    int regularHeight = -1;
    QString loadedBreed = "(none)";
    std::function<void()> onRegular;

private:
    TDmod& m_dmod;
};

struct Asked
{
    QString field, agx, mine;
};

class IdValidationTest : public AgxFixture
{
protected:
    IdValidationTest()
        : form(*dmod), check(*dmod, form, [this](const QString& field, const QString& agx, const QString& mine) {
              asked.push_back({field, agx, mine});
              return useMine.contains(field) ? CompareChoice::UseMine : CompareChoice::UseAgx;
          })
    {
    }

    // A new entry with the ID typed, then the ID field left.
    IdOutcome enter(const QString& typed)
    {
        entries().append();
        entries().setText("mem_dog_id", typed);
        return check.TzEdit1Exit();
    }

    // An existing entry under Edit, as the form loaded it.
    IdOutcome editAndLeave(quint32 rec, const QString& typed)
    {
        entries().go(rec);
        form.loaded = entries().text("mem_dog_id").trimmed();
        entries().edit();
        entries().setText("mem_dog_id", typed);
        return check.TzEdit1Exit();
    }

    QString text(const char* field) { return entries().text(field).trimmed(); }

    FakeForm form;
    std::vector<Asked> asked;
    QStringList useMine;
    TIdValidation check;
};

TEST(AgxIdTest, NormalisesAndReadsNumbersTheLenientWay)
{
    const struct
    {
        const char* typed;
        const char* id;
    } cases[] = {
        {"12-3", "00012-03"},       {"45678-1", "45678-01"},  {"1203", "00000-1203"},   // no hyphen: all dog
        {"+12-3", "00012-03"},      {"  12-  3", "00012-03"}, {"12a-3b", "00012-03"},   // letters stop the read
        {"12-+3", "00012-03"},      {"abc-x", "00000-00"},    {"12--3", "00012-00"},    // "-3" is not readable
        {"007-004", "00007-04"},    {"123456-1", "123456-01"}, {"-", "00000-00"},       // long numbers keep digits
        {"00012-03", "00012-03"},   {"1 2-3", "00001-03"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(agxid::normalise(QString::fromLatin1(c.typed)).text(), QString::fromLatin1(c.id)) << c.typed;

    EXPECT_EQ(agxid::normalise("12-3").key(), "0001203");
    EXPECT_EQ(agxid::keyOf("00012-03"), "0001203");
    EXPECT_EQ(agxid::memberOf("00012-03"), "00012");
    EXPECT_GT(agxid::compareWholeNumbers("45679", "45678"), 0);
    EXPECT_GT(agxid::compareWholeNumbers("100000", "99999"), 0);
    EXPECT_EQ(agxid::compareWholeNumbers("00012", "12"), 0);
    EXPECT_LT(agxid::compareWholeNumbers("", "1"), 0);
}

TEST_F(IdValidationTest, RefusalsShowTheirBoxAndCancel)
{
    const QString membership = "Please have this Exhibitor contact AGX to resolve an issue with their membership.;;When "
                               "the issue is resolved, the Exhibitor will contact you regarding their entry.;You may "
                               "need to download new AGX Databases.";
    const struct
    {
        const char* typed;
        QString text;
        MessageIcon icon;
        QStringList then;
    } cases[] = {
        {"pending", TIdValidation::pendingText(), MessageIcon::Information, {"cancel", "focusAdd"}},
        {"Pending", TIdValidation::pendingText(), MessageIcon::Information, {"cancel", "focusAdd"}},
        {"PENDING ", TIdValidation::pendingText(), MessageIcon::Information, {"cancel", "focusAdd"}},
        // above the highest member number known
        {"45679-01",
         "   Sorry - This Member ID is NOT;in the current Members Database!!!;;You need to download more current "
         "AGXSECDATA files",
         MessageIcon::Information,
         {"cancel"}},
        {"100000-1", TIdValidation::memberAboveRangeText(), MessageIcon::Information, {"cancel"}},
        // a gap inside the range, and no hyphen (member 00000)
        {"200-1", membership, MessageIcon::Stop, {"cancel"}},
        {"1203", membership, MessageIcon::Stop, {"cancel"}},
        {"00012-09",
         "    The ID    00012-09    not found!!!;;You need to download more current AGXSECDATA files.;;New databases "
         "are uploaded on Thursdays by AGX;;Cancelling this Add/Edit",
         MessageIcon::Stop,
         {"cancel", "focusAdd"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        form.calls.clear();
        ScriptedDialogs d;
        d.expectMessage(c.text);
        EXPECT_EQ(enter(c.typed), IdOutcome::Cancelled);
        ASSERT_EQ(d.messages().size(), 1);
        EXPECT_EQ(d.messages().first().icon, c.icon);
        EXPECT_EQ(form.calls, c.then);
        EXPECT_EQ(entries().state(), State::Browse);
        EXPECT_EQ(entries().recordCount(), 0u);
    }
}

TEST_F(IdValidationTest, EmptyIdIsRefusedAndTheRecordStays)
{
    ScriptedDialogs d;
    d.expectMessage("You must enter a valid AGX number!;;Try again!");
    EXPECT_EQ(enter("   "), IdOutcome::Empty);
    EXPECT_EQ(d.messages().first().icon, MessageIcon::Stop);
    EXPECT_EQ(entries().state(), State::Insert);
    EXPECT_TRUE(form.calls.isEmpty());
}

TEST_F(IdValidationTest, NothingHappensWhenLeavingForCancelOrOutsideAnEdit)
{
    ScriptedDialogs d;   // no box expected
    form.toCancel = true;
    EXPECT_EQ(enter(""), IdOutcome::Ignored);
    entries().cancel();
    form.toCancel = false;
    EXPECT_EQ(check.TzEdit1Exit(), IdOutcome::Ignored);   // browse state
    EXPECT_TRUE(form.calls.isEmpty());
}

TEST_F(IdValidationTest, ChangedIdOfAnExistingRecordCancelsTheEdit)
{
    const quint32 rec = addEntry({{"mem_dog_id", "00012-03"}, {"call_name", "Zip"}});
    ScriptedDialogs d;
    d.expectMessage("Sorry.  You cannot change an ID number for an existing record.;;Please DELETE this record and "
                    "ADD a new record.");
    EXPECT_EQ(editAndLeave(rec, "00300-01"), IdOutcome::Cancelled);
    EXPECT_EQ(d.messages().first().icon, MessageIcon::Exclamation);
    EXPECT_EQ(form.calls, QStringList({"cancel"}));
    EXPECT_EQ(field(rec, "mem_dog_id"), "00012-03");
}

TEST_F(IdValidationTest, NewEntryIsFilledFromTheDogAndItsMember)
{
    // The AGX files are stored scrambled, as AGX supplies them.
    for (const data::TableId id : {data::TableId::Members, data::TableId::DogMaster}) {
        QFile file(dmod->TablePath(id));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_FALSE(bytes.contains("Archer") || bytes.contains("Border Collie"));
    }
    ScriptedDialogs d;   // legal age passed long ago: no question
    EXPECT_EQ(enter("12-3"), IdOutcome::Filled);
    EXPECT_EQ(entries().state(), State::Insert);
    EXPECT_EQ(text("mem_dog_id"), "00012-03");
    EXPECT_EQ(text("call_name"), "Zip");
    EXPECT_EQ(text("breed"), "Border Collie");
    EXPECT_EQ(entries().rawText("bdate"), "20000101");
    EXPECT_EQ(text("pcard"), "16");
    EXPECT_EQ(text("ht_cat"), "R");
    EXPECT_EQ(text("first"), "Ann");
    EXPECT_EQ(text("last"), "Archer");
    EXPECT_EQ(text("address"), "12 Oak Lane");
    EXPECT_EQ(text("city"), "Springfield");
    EXPECT_EQ(text("state"), "IL");
    EXPECT_EQ(text("zip"), "62701");
    EXPECT_EQ(text("country"), "USA");
    EXPECT_EQ(text("phone"), "217-555-0101");
    EXPECT_EQ(text("email"), "ann@example.com");
    EXPECT_EQ(form.regularHeight, 16);
    EXPECT_EQ(form.loadedBreed, "Border Collie");
    EXPECT_EQ(form.calls, QStringList({"regular", "handler"}));
    EXPECT_TRUE(asked.empty());   // no MyMembers row
    ASSERT_TRUE(entries().post());
    EXPECT_EQ(field(1, "mem_dog_id"), "00012-03");
}

TEST_F(IdValidationTest, DogWithoutBreedOpensTheBreedListAndBlankLegalAgeIsNeverAsked)
{
    ScriptedDialogs d;
    EXPECT_EQ(enter("45678-1"), IdOutcome::Filled);
    EXPECT_EQ(text("mem_dog_id"), "45678-01");
    EXPECT_EQ(text("call_name"), "Dash");
    EXPECT_EQ(form.regularHeight, 0);
    EXPECT_EQ(form.loadedBreed, "");
    EXPECT_EQ(form.calls, QStringList({"regular", "breedList"}));
}

TEST_F(IdValidationTest, LegalAgeIsAskedOnlyWhenTheTrialIsBeforeIt)
{
    {
        SCOPED_TRACE("stored 20050000: month and day unknown, never asked");
        ScriptedDialogs d;
        EXPECT_EQ(enter("100-2"), IdOutcome::Filled);
        entries().cancel();
    }
    const QString question = " This dog cannot show before 20040701\r\nDue to 15 Months Requirement.\r\n\r\nAdd it anyway?";
    {
        SCOPED_TRACE("No cancels");
        form.calls.clear();
        ScriptedDialogs d;
        d.expectMessage(question, "No");
        EXPECT_EQ(enter("100-1"), IdOutcome::Cancelled);
        EXPECT_EQ(d.messages().first().icon, MessageIcon::Question);
        EXPECT_EQ(d.messages().first().buttons, QStringList({"Yes", "No"}));
        EXPECT_EQ(form.calls, QStringList({"cancel"}));
        EXPECT_EQ(entries().state(), State::Browse);
    }
    {
        SCOPED_TRACE("Yes enters the dog");
        ScriptedDialogs d;
        d.expectMessage(question, "Yes");
        EXPECT_EQ(enter("100-1"), IdOutcome::Filled);
        EXPECT_EQ(text("call_name"), "Pup");
        entries().cancel();
    }
    {
        SCOPED_TRACE("a trial on the legal age itself is not before it");
        form.show = QDate(2004, 7, 1);
        ScriptedDialogs d;
        EXPECT_EQ(enter("100-1"), IdOutcome::Filled);
        entries().cancel();
    }
}

TEST_F(IdValidationTest, DogEnteredInADeletedRecordIsMadeCurrent)
{
    addEntry({{"mem_dog_id", "00300-01"}, {"call_name", "Rex"}});
    const quint32 deleted = addEntry({{"mem_dog_id", "00012-03"}, {"call_name", "Zip"}, {"email", "ann@example.com"}},
                                     true);
    addMyMember({{"member_id", "00012"}, {"address", "12 Oak Lane"}, {"city", "Springfield"}, {"state", "IL"},
                 {"zip", "62701"}, {"phone", "217-555-0101"}});
    ScriptedDialogs d;
    d.expectMessage("  Found an entry for this dog!;;Going to existing record....;;Click the EDIT button to make changes");
    EXPECT_EQ(enter("12-3"), IdOutcome::ExistingEntry);
    EXPECT_EQ(d.messages().first().title, "Entry Found!");
    EXPECT_EQ(form.calls, QStringList({"cancel", QStringLiteral("go %1").arg(deleted)}));
    EXPECT_EQ(entries().recordCount(), 2u);
    EXPECT_EQ(entries().recNo(), deleted);
    EXPECT_TRUE(entries().isDeleted());
    // The comparison still runs, on the record made current: its address fields are blank
    // there, the own copy's e-mail is.
    ASSERT_EQ(asked.size(), 6u);
    EXPECT_EQ(asked[0].field, "address");
    EXPECT_EQ(asked[5].field, "email");
    EXPECT_EQ(entries().state(), State::Browse);   // "Use AGX" changes nothing
}

TEST_F(IdValidationTest, LeavingTheUnchangedIdOfARecordUnderEditKeepsTheEdit)
{
    const quint32 rec = addEntry({{"mem_dog_id", "00012-03"}, {"call_name", "Zip"}, {"ht_cat", "V"},
                                  {"address", "New Street 5"}});
    ScriptedDialogs d;   // no box: not "Entry Found!"
    EXPECT_EQ(editAndLeave(rec, "00012-03"), IdOutcome::Unchanged);
    EXPECT_EQ(entries().state(), State::Edit);
    EXPECT_TRUE(form.calls.isEmpty());
    // Nothing is filled again: the category and the secretary's address stay.
    EXPECT_EQ(text("ht_cat"), "V");
    EXPECT_EQ(text("address"), "New Street 5");
    entries().cancel();

    // A second entry of the same dog elsewhere is still found.
    const quint32 twin = addEntry({{"mem_dog_id", "00012-03"}});
    d.expectMessage(TIdValidation::entryFoundText());
    EXPECT_EQ(editAndLeave(rec, "00012-03"), IdOutcome::ExistingEntry);
    EXPECT_EQ(entries().recNo(), twin);
}

TEST_F(IdValidationTest, MemberVanishingBetweenTheLookUpsEndsTheOperation)
{
    form.onRegular = [this] {
        xbase::Table& m = dmod->Members;
        m.setCurrentTag("MEMID");
        ASSERT_TRUE(m.seek("00012"));
        m.setText("member_id", "00013");
        ASSERT_TRUE(m.post());
    };
    ScriptedDialogs d;
    d.expectMessage("Member not found - Members and Dogmaster out of sync");
    EXPECT_EQ(enter("12-3"), IdOutcome::OutOfSync);
    EXPECT_EQ(d.messages().first().icon, MessageIcon::Stop);
    EXPECT_EQ(text("first"), "");
    EXPECT_TRUE(asked.empty());
}

TEST_F(IdValidationTest, ComparisonAsksOnlyWhereTheOwnCopyDiffers)
{
    addMyMember({{"member_id", "00012"}, {"address", "12 Oak Lane"}, {"city", "Springfield"}, {"state", "IL"},
                 {"zip", "62701"}, {"phone", "217-555-0101"}, {"country", "CAN"}});
    addMyMember({{"member_id", "00300"}, {"address", "9 Pine Road  "}, {"city", "Salem"}, {"state", "OR"},
                 {"zip", "97401"}, {"phone", "541-555-9999"}, {"email", "cy@example.com"}});
    ScriptedDialogs d;
    {
        SCOPED_TRACE("blank own e-mail counts as a difference; country is never compared");
        EXPECT_EQ(enter("12-3"), IdOutcome::Filled);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].field, "email");
        EXPECT_EQ(asked[0].agx, "ann@example.com");
        EXPECT_EQ(asked[0].mine, "");
        EXPECT_EQ(text("email"), "ann@example.com");
        entries().cancel();
    }
    {
        SCOPED_TRACE("no own row: no window");
        asked.clear();
        EXPECT_EQ(enter("100-2"), IdOutcome::Filled);
        EXPECT_TRUE(asked.empty());
        entries().cancel();
    }
    {
        SCOPED_TRACE("Use Mine takes the own value, Use AGX keeps the entry's");
        asked.clear();
        useMine << "city";
        EXPECT_EQ(enter("300-1"), IdOutcome::Filled);
        ASSERT_EQ(asked.size(), 2u);
        EXPECT_EQ(asked[0].field, "city");
        EXPECT_EQ(asked[1].field, "phone");
        EXPECT_EQ(text("city"), "Salem");
        EXPECT_EQ(text("phone"), "541-555-0103");
        EXPECT_EQ(text("address"), "9 Pine Road");
    }
}

} // namespace

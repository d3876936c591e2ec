#include "agxfixture.h"

#include "entries/memberupdates.h"

namespace {

class MemberUpdatesTest : public AgxFixture
{
protected:
    MemberUpdatesTest() { dmod->OpenUpdates(); }

    // Saves an entry of the dog with the given address and returns the table on it.
    xbase::Table& saved(const QString& id, const QString& address, const QString& breed = "Border Collie")
    {
        const quint32 rec = addEntry({{"mem_dog_id", id},
                                      {"call_name", "Zip"},
                                      {"breed", breed},
                                      {"first", "Ann"},
                                      {"last", "Archer-Wellington-Smythe"},
                                      {"address", address},
                                      {"city", "Springfield"},
                                      {"state", "Province of Somewhere"},
                                      {"zip", "62701"},
                                      {"country", "USA"},
                                      {"phone", "217-555-0101"},
                                      {"email", "ann@example.com"}});
        entries().go(rec);
        return entries();
    }

    // Every Updates row as "member/dog/breed_chg/member_chg/breed/address".
    QStringList updateRows()
    {
        QStringList out;
        xbase::ScanCursor s = dmod->Updates.scan();
        s.setCurrentTag(QString());
        for (bool more = s.first(); more && !s.eof(); more = s.next())
            out << QStringList{s.text("member_id"), s.text("dog_id").trimmed(), s.text("breed_chg"),
                               s.text("member_chg"), s.text("breed").trimmed(), s.text("address").trimmed()}
                       .join('/');
        return out;
    }

    const QDate today{2004, 5, 20};
};

TEST_F(MemberUpdatesTest, BreedChangeAppendsOneRowPerDogAndUpdatesIt)
{
    memberupdates::RecordBreedChange(*dmod, saved("00012-03", "12 Oak Lane", "Sheltie"));
    EXPECT_EQ(updateRows(), QStringList({"00012/03/T/F/Sheltie/"}));
    EXPECT_EQ(dmod->Updates.text("call_name").trimmed(), "Zip");

    memberupdates::RecordBreedChange(*dmod, saved("00012-03", "12 Oak Lane", "Shetland Sheepdog"));
    memberupdates::RecordBreedChange(*dmod, saved("00012-05", "12 Oak Lane", "Poodle"));
    EXPECT_EQ(updateRows(), QStringList({"00012/03/T/F/Shetland Sheepdog/", "00012/05/T/F/Poodle/"}));
}

TEST_F(MemberUpdatesTest, TwoSavesAddOneMemberChangeRowThatKeepsTheLatestAddress)
{
    memberupdates::RecordMemberChange(*dmod, saved("00012-03", "12 Oak Lane"), today);
    memberupdates::RecordMemberChange(*dmod, saved("00012-03", "40 Birch Court"), today);
    EXPECT_EQ(updateRows(), QStringList({"00012//F/T//40 Birch Court"}));

    // MyMembers: one row with the names, the latest address and the date.
    xbase::Table& mine = dmod->MyMembers;
    ASSERT_EQ(mine.recordCount(), 1u);
    mine.first();
    EXPECT_EQ(mine.text("member_id"), "00012");
    EXPECT_EQ(mine.text("prim_first").trimmed(), "Ann");
    EXPECT_EQ(mine.text("prim_last"), "Archer-Wellington");   // cut to its 17 characters
    EXPECT_EQ(mine.text("address").trimmed(), "40 Birch Court");
    EXPECT_EQ(mine.text("country").trimmed(), "USA");
    EXPECT_EQ(mine.toDate("modified"), today);
}

TEST_F(MemberUpdatesTest, MemberWhoseDogHasABreedChangeStillGetsItsOwnRow)
{
    memberupdates::RecordBreedChange(*dmod, saved("00012-03", "12 Oak Lane", "Sheltie"));
    memberupdates::RecordMemberChange(*dmod, saved("00012-03", "12 Oak Lane"), today);
    memberupdates::RecordBreedChange(*dmod, saved("00012-05", "12 Oak Lane", "Poodle"));
    memberupdates::RecordMemberChange(*dmod, saved("00012-05", "77 Cedar Way"), today);
    EXPECT_EQ(updateRows(),
              QStringList({"00012/03/T/F/Sheltie/", "00012//F/T//77 Cedar Way", "00012/05/T/F/Poodle/"}));
}

TEST_F(MemberUpdatesTest, ValuesAreCutToTheUpdatesWidthsAndAnOwnRowIsUpdated)
{
    addMyMember({{"member_id", "00012"}, {"prim_first", "Annie"}, {"prim_last", "A."}, {"notes", "pays late"}});
    const QString longAddress = "1234 Extremely Long Avenue Name, Apartment 56";   // 45 characters
    memberupdates::RecordMemberChange(*dmod, saved("00012-03", longAddress), today);

    xbase::Table& u = dmod->Updates;
    u.first();
    EXPECT_EQ(u.text("address"), longAddress.left(30));
    EXPECT_EQ(u.text("state"), "Province of ");   // 12 characters
    EXPECT_EQ(u.text("email").trimmed(), "ann@example.com");

    xbase::Table& mine = dmod->MyMembers;
    ASSERT_EQ(mine.recordCount(), 1u);
    mine.first();
    EXPECT_EQ(mine.text("prim_first").trimmed(), "Annie");   // names are the secretary's own
    EXPECT_EQ(mine.text("notes").trimmed(), "pays late");
    EXPECT_EQ(mine.text("address"), longAddress.left(30));
    EXPECT_EQ(mine.toDate("modified"), today);
}

TEST_F(MemberUpdatesTest, EntryWithoutIdTellsNobody)
{
    memberupdates::RecordMemberChange(*dmod, saved("", "12 Oak Lane"), today);
    memberupdates::RecordBreedChange(*dmod, saved("", "12 Oak Lane"));
    EXPECT_TRUE(updateRows().isEmpty());
    EXPECT_EQ(dmod->MyMembers.recordCount(), 0u);
}

} // namespace

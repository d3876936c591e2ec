#include "platform/system/gendefs.h"
#include "support/qtprinters.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

TEST(GenDefs, DefaultsWhenNothingIsSet)
{
    TempFolder t;
    GenDefs g(t.file("gendefs.ini"));
    EXPECT_EQ(g.clubName(), "Unknown");
    EXPECT_EQ(g.clubId(), "Unknown");
    EXPECT_EQ(g.lastOpenedShow(), "Unknown");
    EXPECT_FALSE(g.enterAsTab());
    EXPECT_FALSE(g.pgdnAsSave());
    EXPECT_EQ(g.digits(), 2);
    const GenDefs::Secretary s = g.secretaryLine();
    EXPECT_EQ(s.line, "Unknown   Unknown   Unknown   Unknown,  Unknown, Unknown  Unknown");
}

TEST(GenDefs, ClubIdLosesEveryBlankAndTheSecretaryLineIsTrimmedPerPart)
{
    TempFolder t;
    GenDefs g(t.file("gendefs.ini"));
    g.ini().writeString("ClubInfo", "ClubID", " A B  12 ");
    for (auto [key, value] : {std::pair{"Name", "  Pat Smith "}, {"Email", "pat@example.org  "},
                              {"Phone", "555-123-4567"}, {"Address", " 12 Main St, Apt 4"},
                              {"City", "Springfield "}, {"State", "IL"}, {"Zip", "62701"}})
        g.ini().writeString("SecretaryInfo", key, value);
    EXPECT_EQ(g.clubId(), "AB12");
    const GenDefs::Secretary s = g.secretaryLine();
    EXPECT_EQ(s.name, "Pat Smith");
    EXPECT_EQ(s.email, "pat@example.org");
    EXPECT_EQ(s.line, "Pat Smith   pat@example.org   555-123-4567   12 Main St, Apt 4,  Springfield, IL  62701");
}

TEST(GenDefs, LastTrialRoundTrips)
{
    TempFolder t;
    GenDefs g(t.file("gendefs.ini"));
    g.setLastOpenedShow("/p/shows/Show-00012-06-05-2004.dbf");
    EXPECT_EQ(GenDefs(t.file("gendefs.ini")).lastOpenedShow(), "/p/shows/Show-00012-06-05-2004.dbf");
}

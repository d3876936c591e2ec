#include "dogtable.h"

#include "platform/ui/boundlineedit.h"
#include "platform/ui/datasource.h"
#include "platform/ui/navigator.h"
#include "support/scripteddialogs.h"

#include <QToolButton>
#include <gtest/gtest.h>

using xbase::Table;

namespace {

class NavigatorTest : public ::testing::Test
{
protected:
    // Which of First, Prior, Next, Last are enabled, as "FPNL" with '-' for disabled ones.
    QString enabled() const
    {
        QString out;
        const char letters[] = "FPNL";
        for (int b = Navigator::First; b <= Navigator::Last; ++b)
            out += nav.button(Navigator::Button(b))->isEnabled() ? QLatin1Char(letters[b]) : QLatin1Char('-');
        return out;
    }

    ScriptedDialogs dialogs;
    DogTable dogs;
    Table& table = dogs.table;
    DataSource source{table};
    Navigator nav{&source};
};

TEST_F(NavigatorTest, ButtonsMoveAndFollowThePosition)
{
    EXPECT_EQ(enabled(), QString("--NL"));
    EXPECT_TRUE(nav.trigger(Navigator::Next));
    EXPECT_EQ(table.recNo(), 2u);
    EXPECT_EQ(enabled(), QString("FPNL"));
    nav.button(Navigator::Last)->click();
    EXPECT_EQ(table.recNo(), 5u);
    EXPECT_EQ(enabled(), QString("FP--"));
    EXPECT_FALSE(nav.trigger(Navigator::Next));   // never past the last record onto a blank one
    EXPECT_EQ(table.recNo(), 5u);
    EXPECT_FALSE(table.eof());
    EXPECT_TRUE(nav.trigger(Navigator::Prior));
    EXPECT_EQ(table.recNo(), 4u);
    EXPECT_TRUE(nav.trigger(Navigator::First));
    EXPECT_EQ(table.recNo(), 1u);

    // Moves made elsewhere update the buttons too, in the table's order and filter.
    table.setCurrentTag("NAME");
    table.setFilter("runs > 0");
    table.seek("REX");
    EXPECT_EQ(enabled(), QString("FPNL"));
    table.last();   // zed
    EXPECT_EQ(enabled(), QString("FP--"));
    table.first();   // ace
    EXPECT_EQ(enabled(), QString("--NL"));
    EXPECT_TRUE(nav.trigger(Navigator::Next));
    EXPECT_EQ(table.recNo(), 5u);   // Max: Bo has no runs
}

TEST_F(NavigatorTest, ARefusedMoveStaysPut)
{
    bool allow = false;
    int asked = 0;
    table.onBeforeNavigate([&](Table&) {
        ++asked;
        return allow;
    });
    int clicks = 0;
    QObject::connect(&nav, &Navigator::clicked, [&] { ++clicks; });
    EXPECT_FALSE(nav.trigger(Navigator::Last));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(table.recNo(), 1u);
    EXPECT_EQ(clicks, 0);
    allow = true;
    EXPECT_TRUE(nav.trigger(Navigator::Last));
    EXPECT_EQ(clicks, 1);
}

TEST_F(NavigatorTest, MovingPostsWhatWasTypedAndAVetoedPostKeepsTheRecord)
{
    BoundLineEdit name(&source, "name");
    bool allow = false;
    table.onBeforePost([&](Table&) { return allow; });
    typeText(&name, "s");
    EXPECT_FALSE(nav.trigger(Navigator::Next));
    EXPECT_EQ(table.recNo(), 1u);
    EXPECT_EQ(table.state(), Table::State::Edit);
    allow = true;
    EXPECT_TRUE(nav.trigger(Navigator::Next));
    EXPECT_EQ(dogs.stored(1, "name"), QString("Rexs"));
    EXPECT_EQ(name.text(), QString("ace"));
}

TEST_F(NavigatorTest, DisabledWithoutRecordsAndRefreshOnRequest)
{
    nav.setRefreshVisible(true);
    nav.setHint(Navigator::Next, "Next|Go to the next entry");
    EXPECT_EQ(nav.button(Navigator::Next)->toolTip(), QString("Next"));
    EXPECT_EQ(nav.button(Navigator::Next)->statusTip(), QString("Go to the next entry"));

    table.append();
    EXPECT_EQ(enabled(), QString("F--L"));
    table.cancel();
    table.zap();
    EXPECT_EQ(enabled(), QString("----"));
    EXPECT_TRUE(nav.button(Navigator::Refresh)->isEnabled());
    table.close();
    EXPECT_EQ(enabled(), QString("----"));
    EXPECT_FALSE(nav.button(Navigator::Refresh)->isEnabled());

    table.open(dogs.path);
    nav.setEnabled(false);
    EXPECT_FALSE(nav.trigger(Navigator::Next));
    nav.setEnabled(true);
    EXPECT_TRUE(nav.trigger(Navigator::Refresh));
}

} // namespace

#include "dogtable.h"

#include "platform/ui/boundlineedit.h"
#include "platform/ui/datasource.h"
#include "platform/ui/editmask.h"
#include "support/scripteddialogs.h"

#include <gtest/gtest.h>

namespace {

TEST(EditMask, TurnsIntoTheLineEditsMaskLetters)
{
    const struct
    {
        const char* mask;
        const char* qt;
    } cases[] = {
        {"999-999-9999;1; ", "000-000-0000; "},   // 9 is an optional digit
        {"000-000-0000;0;_", "999-999-9999;_"},   // 0 a required one
        {"LLL", "AAA;_"},
        {"lla", "aan;_"},
        {"AaCc", "NnXx;_"},
        {">LL<ll", ">AA<aa;_"},
        {"<>cc", "!xx;_"},
        {"(999) 999-9999;1;_", "(000) 000-0000;_"},
        {"\\A99", "\\A00;_"},   // an escaped literal stays literal
        {"X-NB;1;*", "\\X-\\N\\B;*"},   // letters that mean something to the line edit are escaped
        {"!999", "000;_"},
        {"99_99", "00 00;_"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EditMask(c.mask).inputMask(), QString(c.qt)) << c.mask;
    EXPECT_EQ(EditMask("LL").inputMask(true), QString(">AA;_"));
    EXPECT_TRUE(EditMask("").isEmpty());
}

TEST(EditMask, StoredValueKeepsOrDropsTheLiterals)
{
    const EditMask kept("999-999-9999;1; ");
    EXPECT_EQ(kept.value("555-123-4567"), QString("555-123-4567"));
    EXPECT_EQ(kept.value("555-12 -    "), QString("555-12 -    "));
    EXPECT_EQ(kept.value("   -   -    "), QString());   // nothing typed stays blank
    const EditMask dropped("999-999-9999;0;_");
    EXPECT_EQ(dropped.value("555-123-4567"), QString("5551234567"));
    EXPECT_EQ(dropped.value("555-1__-____"), QString("5551      "));
}

TEST(EditMask, BoundPhoneEditShowsAndStoresTheDashes)
{
    ScriptedDialogs dialogs;
    DogTable dogs;
    DataSource source(dogs.table);
    BoundLineEdit phone(&source, "phone");
    phone.setEditMask("999-999-9999;1; ");
    EXPECT_EQ(phone.value(), QString("555-123-4567"));

    // A value stored without its dashes still fills the places.
    dogs.table.setText("phone", "5559876543");
    dogs.table.post();
    EXPECT_EQ(phone.displayText(), QString("555-987-6543"));

    dogs.table.next();   // an empty phone
    EXPECT_EQ(phone.value(), QString());
    phone.home(false);
    typeText(&phone, "919555");
    EXPECT_EQ(dogs.table.state(), xbase::Table::State::Edit);
    typeText(&phone, "1234");
    EXPECT_EQ(phone.displayText(), QString("919-555-1234"));
    dogs.table.post();
    EXPECT_EQ(dogs.stored(2, "phone"), QString("919-555-1234"));

    // Optional digits: a short number is accepted and stored as typed.
    phone.selectAll();
    typeText(&phone, "12");
    EXPECT_TRUE(phone.hasAcceptableInput());
    dogs.table.post();
    EXPECT_EQ(dogs.stored(2, "phone"), QString("12 -   -"));
}

} // namespace

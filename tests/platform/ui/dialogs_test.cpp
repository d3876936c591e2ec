#include "platform/ui/dialogs.h"
#include "support/qtprinters.h"
#include "support/scripteddialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

TEST(MessageText, SemicolonsAndStoredLineBreaksBecomeLineBreaks)
{
    struct Case { QString stored; QString shown; };
    const Case cases[] = {
        {"Packing the database will permanently remove;all the records",
         "Packing the database will permanently remove\nall the records"},
        {"a;;b", "a\n\nb"},
        {"one\r\ntwo", "one\ntwo"},
        {"one\\r\\ntwo", "one\ntwo"},
        {"no breaks", "no breaks"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(messageDisplayText(c.stored), c.shown) << c.stored.toStdString();
}

TEST(FileFilters, VclFiltersBecomeCaseInsensitiveQtFilters)
{
    EXPECT_EQ(qtNameFilters("Show Databases  (*.dbf)|*.dbf"),
              QStringList{"Show Databases (*.dbf *.DBF)"});
    EXPECT_EQ(qtNameFilters("Text files (*.rtf)|*.rtf|All files|*.*"),
              (QStringList{"Text files (*.rtf *.RTF)", "All files (*.*)"}));
    EXPECT_EQ(qtNameFilters("Tables|*.dbf;*.DBT"), QStringList{"Tables (*.dbf *.DBF *.DBT *.dbt)"});
    EXPECT_EQ(qtNameFilters(""), QStringList{"All files (*)"});
}

TEST(FileFilters, DefaultExtensionOnlyWhenNoneTyped)
{
    EXPECT_EQ(withDefaultExtension("/x/list", "txt"), "/x/list.txt");
    EXPECT_EQ(withDefaultExtension("/x/list.rtf", "txt"), "/x/list.rtf");
    EXPECT_EQ(withDefaultExtension("/x/list", ""), "/x/list");
}

TEST(ScriptedDialogs, AnswersScriptedDialogsInOrder)
{
    ScriptedDialogs dialogs;
    dialogs.expectMessage("Are you sure?;Really?", "NO")
        .expectInput("Enter the Show Number: ", QString())
        .expectInput("Enter the Show Number: ", std::nullopt)
        .expectOpenFile("/tmp/a.dbf")
        .expectPrint(false);

    EXPECT_EQ(&Dialogs::current(), &dialogs);
    EXPECT_EQ(Dialogs::current().message("Are you sure?;Really?", MessageIcon::Question, {"Yes", "NO"}), "NO");
    auto empty = Dialogs::current().input("Which Show", "Enter the Show Number: ");
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->isEmpty());
    EXPECT_FALSE(Dialogs::current().input("Which Show", "Enter the Show Number: ").has_value());
    FileRequest open;
    open.title = "Path - /tmp";
    EXPECT_EQ(Dialogs::current().openFile(open), QString("/tmp/a.dbf"));
    EXPECT_FALSE(Dialogs::current().print(applicationPrinter()));
    EXPECT_TRUE(dialogs.allUsed());
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Question);
}

TEST(ScriptedDialogs, RestoresThePreviousInstance)
{
    Dialogs* before = &Dialogs::current();
    {
        ScriptedDialogs dialogs;
        EXPECT_NE(&Dialogs::current(), before);
    }
    EXPECT_EQ(&Dialogs::current(), before);
}

TEST(ScriptedDialogs, FailsOnAMessageItWasNotToldAbout)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            Dialogs::current().information("Surprise");
        },
        "unexpected message: Surprise");
    ScriptedDialogs dialogs;
    dialogs.expectMessage("First");
    EXPECT_NONFATAL_FAILURE(Dialogs::current().information("Second"), "while expecting message: First");
    Dialogs::current().information("First"); // the mismatch consumed nothing
}

TEST(ScriptedDialogs, FailsWhenAnExpectedMessageNeverCame)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.expectMessage("Printing aborted");
        },
        "never shown: Printing aborted");
}

TEST(ScriptedDialogs, FailsWhenTheAnswerIsNotABoxButton)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.expectMessage("Remove all?", "No");
            Dialogs::current().message("Remove all?", MessageIcon::Question, QStringList() << "Yes" << "NO");
        },
        "is not a button");
}

TEST(ScriptedDialogs, UnscriptedMessageGetsTheEscapeAnswer)
{
    MessageRequest pack;
    pack.text = "Pack?";
    pack.buttons = QStringList{"Cancel", "Pack"};
    pack.escapeButton = 0;
    QString answer;
    auto show = [&] {
        ScriptedDialogs dialogs;
        answer = Dialogs::current().message(pack);
    };
    EXPECT_NONFATAL_FAILURE(show(), "unexpected message");
    EXPECT_EQ(answer, "Cancel");
}

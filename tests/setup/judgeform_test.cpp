#include "platform/printing/printjob.h"
#include "platform/system/textfile.h"
#include "platform/ui/boundlineedit.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/navigator.h"
#include "setup/judgeform.h"
#include "setup/judgelist.h"
#include "setupfixture.h"
#include "support/qtprinters.h"
#include "support/scripteddialogs.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>

namespace {

class JudgeFormTest : public SetupFixture
{
protected:
    void SetUp() override
    {
        QDir().mkpath(path("agxdata"));
        dmod->OpenJudges();
        addJudge("YOUNG M", "Mary", "Young", "IL", "Chicago");
        addJudge("BAKER A", "Anne", "Baker", "WI", "Madison");
        addJudge("AWAY G", "Gone", "Away", "AK", "Juneau", true);
        addJudge("CLARK T", "Tom", "Clark", "AZ", "Tucson");
    }

    void addJudge(const QString& code, const QString& first, const QString& last, const QString& state,
                  const QString& city, bool deleted = false)
    {
        xbase::Table& t = dmod->Judges;
        t.append();
        t.setText("judgecode", code);
        t.setText("jfirst", first);
        t.setText("jlast", last);
        t.setText("jaddress", "12 Oak Lane");
        t.setText("jcity", city);
        t.setText("jstate", state);
        t.setText("jzip", "62704");
        t.setText("clubphone", "217-555-0101");
        t.setText("clubemail", first.toLower() + "@example.org");
        t.setDeleted(deleted);
        ASSERT_TRUE(t.post());
    }

    std::unique_ptr<Tjudgeform> open()
    {
        auto form = std::make_unique<Tjudgeform>(*dmod);
        form->show();
        return form;
    }

    QString lastName(const Tjudgeform& form) { return form.edit("jlast")->text(); }
};

} // namespace

TEST_F(JudgeFormTest, OpensOnTheFirstNameWithDeletedRowsHidden)
{
    ScriptedDialogs dialogs;
    auto form = open();
    EXPECT_EQ(form->windowTitle(), "Judges Data Base");
    EXPECT_EQ(lastName(*form), "Baker");
    EXPECT_FALSE(form->saveButton()->isEnabled());
    EXPECT_FALSE(form->cancelButton()->isEnabled());
    EXPECT_FALSE(form->addButton()->isEnabled());
    EXPECT_EQ(form->statusText(1), "Rec #     2 /     4");
    EXPECT_EQ(form->statusText(2), "Current Index is Last Name");
    EXPECT_TRUE(form->lastNameAction()->isChecked());
    EXPECT_TRUE(form->edit("judgecode")->isReadOnly());
    EXPECT_EQ(form->edit("clubphone")->editMask(), "999-999-9999;1; ");
    EXPECT_FALSE(form->mailingLabelsAction()->isEnabled());
    QStringList seen;
    do
        seen << lastName(*form);
    while (form->navigator()->trigger(Navigator::Next) && !dmod->Judges.eof() && seen.size() < 10);
    EXPECT_EQ(seen.mid(0, 3), (QStringList{"Baker", "Clark", "Young"}));
    form->ShowDeletes1Click();
    EXPECT_EQ(form->showDeletesAction()->text(), "Hide Deletes");
    form->navigator()->trigger(Navigator::First);
    EXPECT_EQ(lastName(*form), "Away");
    EXPECT_EQ(form->deletedText(), "DELETED");
    EXPECT_EQ(form->deleteButton()->text(), "UnDelete");
    form->ShowDeletes1Click();
    EXPECT_EQ(form->showDeletesAction()->text(), "Show Deletes");
    form->reject();
    EXPECT_FALSE(dmod->Judges.isOpen());
}

TEST_F(JudgeFormTest, FindsByTheCurrentOrderAndStaysPutWhenNotFound)
{
    ScriptedDialogs dialogs;
    auto form = open();
    dialogs.expectInput("Enter Last Name to find: ", " you ");
    form->FindButtonClick();
    EXPECT_EQ(lastName(*form), "Young");
    dialogs.expectInput("Enter Last Name to find: ", "zz");
    dialogs.expectMessage("Could not find Last Name ZZ");
    form->FindButtonClick();
    EXPECT_EQ(lastName(*form), "Young");
    EXPECT_EQ(dialogs.inputs().last().defaultText, " you ");   // the previous answer offered again
    EXPECT_TRUE(dialogs.inputs().last().questionIcon);
    form->State1Click();
    EXPECT_EQ(form->statusText(2), "Current Index is State");
    EXPECT_TRUE(form->stateAction()->isChecked());
    dialogs.expectInput("Enter State Code to find: ", "az");
    form->FindButtonClick();
    EXPECT_EQ(lastName(*form), "Clark");
}

TEST_F(JudgeFormTest, EditSaveCancelDeleteAndAdd)
{
    ScriptedDialogs dialogs;
    auto form = open();
    form->EditButtonClick();
    EXPECT_TRUE(form->saveButton()->isEnabled());
    form->edit("jcity")->setText("Green Bay");
    emit form->edit("jcity")->textEdited("Green Bay");
    form->SaveButtonClick();
    EXPECT_FALSE(form->saveButton()->isEnabled());
    EXPECT_EQ(dmod->Judges.trimmed("jcity"), "Green Bay");
    form->edit("jcity")->setText("Nowhere");
    emit form->edit("jcity")->textEdited("Nowhere");
    EXPECT_TRUE(form->cancelButton()->isEnabled());
    form->CancelButtonClick();
    EXPECT_EQ(form->edit("jcity")->text(), "Green Bay");

    form->DeleteButtonClick();
    EXPECT_TRUE(dmod->Judges.isDeleted());
    EXPECT_EQ(form->deletedText(), "DELETED");
    EXPECT_EQ(form->deleteButton()->text(), "UnDelete");
    form->DeleteButtonClick();
    EXPECT_FALSE(dmod->Judges.isDeleted());
    EXPECT_EQ(form->deleteButton()->text(), "Delete");

    form->ActivateAddButton1Click();
    ASSERT_TRUE(form->addButton()->isEnabled());
    form->AddButtonClick();
    form->edit("jfirst")->setText("Zed");
    emit form->edit("jfirst")->textEdited("Zed");
    form->edit("jlast")->setText("Zane");
    emit form->edit("jlast")->textEdited("Zane");
    form->SaveButtonClick();
    EXPECT_EQ(dmod->Judges.recordCount(), 5u);
    EXPECT_EQ(lastName(*form), "Zane");
}

TEST_F(JudgeFormTest, AddressListingSavedCopiedAndClosed)
{
    ScriptedDialogs dialogs;
    auto form = open();
    form->SingleLineAddressList1Click();
    ASSERT_TRUE(form->listingShown());
    const QStringList expected{
        "Name        Phone  Address   Email",
        "Anne Baker  \t217-555-0101\t12 Oak Lane  Madison, WI  62704\tanne@example.org",
        "Tom Clark  \t217-555-0101\t12 Oak Lane  Tucson, AZ  62704\ttom@example.org",
        "Mary Young  \t217-555-0101\t12 Oak Lane  Chicago, IL  62704\tmary@example.org",
    };
    EXPECT_EQ(form->listing(), expected);
    dialogs.expectSaveFile(path("judges"));
    form->SaveToFileClick();
    EXPECT_EQ(dialogs.fileRequests().last().title, "Save As");
    EXPECT_EQ(dialogs.fileRequests().last().filter, "Text files (*.txt)|*.txt");
    EXPECT_EQ(readTextLines(path("judges.txt")), expected);
    form->CopyToClipboardClick();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected.join('\n'));
    form->CloseListingClick();
    EXPECT_FALSE(form->listingShown());
    // In state order.
    form->State1Click();
    form->SingleLineAddressList1Click();
    EXPECT_TRUE(form->listing().at(1).startsWith("Tom Clark"));
}

// The printout on a PDF; VELMORA_PRINTING_SAMPLES keeps it for looking at.
TEST_F(JudgeFormTest, PrintsTheListingToPdf)
{
    for (int i = 0; i < 70; ++i)
        addJudge(QStringLiteral("JUDGE %1").arg(i), QStringLiteral("Pat%1").arg(i), QStringLiteral("Person%1").arg(i, 2, 10, QLatin1Char('0')),
                 "OH", "Columbus");
    const QByteArray samples = qgetenv("VELMORA_PRINTING_SAMPLES");
    const QString pdf = samples.isEmpty() ? path("judges.pdf") : QDir(QString::fromLocal8Bit(samples)).filePath("judges.pdf");
    QPrinter& printer = applicationPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::Letter));

    ScriptedDialogs dialogs;
    auto form = open();
    form->SingleLineAddressList1Click();
    dialogs.expectPrint(true);
    dialogs.expectMessage("All Data sent to Printer");
    form->PrintListingClick();
    printer.setOutputFileName({});
    printer.setOutputFormat(QPrinter::NativeFormat);

    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(20000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_EQ(out.count("Judge's Address List"), 2);
    EXPECT_TRUE(out.contains("pat69@example.org"));
    EXPECT_TRUE(out.contains("Anne Baker"));
}

#include "app/mainform.h"
#include "app/triallifecycle.h"
#include "data/demodata.h"
#include "data/dmod.h"
#include "data/scramble.h"
#include "data/trials.h"
#include "platform/system/gendefs.h"
#include "platform/ui/bounddateedit.h"
#include "platform/ui/boundlineedit.h"
#include "platform/ui/boundspinbox.h"
#include "setup/showdateform.h"
#include "support/demofolder.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString kNextSteps = QStringLiteral("Next Steps for a New Show are:");
const QString kConverting =
    QStringLiteral("This is an old version of a Show.;Converting to New version with Gate Key - Please wait....");

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void type(QLineEdit* edit, const QString& text)
{
    edit->setText(text);
    emit edit->textEdited(text);
}

class TrialLifecycleTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { seeded.seed({.members = 20, .dogs = 40, .judges = 4, .clubs = 4}); }
    static void TearDownTestSuite() { seeded.drop(); }

    TrialLifecycleTest()
    {
        seeded.copyTo(dir.path());
        folders = std::make_unique<ProgramFolders>(dir.path());
        ProgramFolders::setCurrent(*folders);
        dmod = std::make_unique<TDmod>(*folders);
        dmod->DmodCreate();
        form = std::make_unique<TMainForm>(dmod.get());
        form->setAttribute(Qt::WA_DontShowOnScreen);
        connect();
    }

    ~TrialLifecycleTest() override
    {
        form.reset();
        dmod.reset();
    }

    void connect()
    {
        QObject::connect(form.get(), &TMainForm::trialOpened, [this] { ++opened; });
        QObject::connect(form.get(), &TMainForm::trialClosed, [this] { ++closed; });
    }

    TrialLifecycle& lifecycle() { return *form->findChild<TrialLifecycle*>(); }

    // Runs the menu item while drive() works the show-dates window it opens.
    void newTrial(const std::function<void(TShowDateForm&)>& drive)
    {
        QTimer::singleShot(0, form.get(), [this, drive] {
            auto* dates = form->findChild<TShowDateForm*>();
            ASSERT_NE(dates, nullptr);
            drive(*dates);
            if (dates->isVisible())
                dates->CloseButtonClick();
        });
        form->item("NewTrial1")->trigger();
    }

    // A new trial saved through the window: days, date, Standard twice on day 1.
    void createTrial(ScriptedDialogs& dialogs, const QDate& first = QDate(2004, 6, 5))
    {
        dialogs.expectMessageContaining(kNextSteps);
        dialogs.expectMessage(TrialLifecycle::kEmptyShowMessage);
        newTrial([first](TShowDateForm& dates) {
            type(dates.numDaysEdit(), "1");
            dates.dateEdit()->setDate(first);
            dates.SpecifyClassesClick();
            dates.runCount(1, 0)->setValue(2);
            dates.SaveButtonClick();
        });
    }

    void addTrialRow(int number)
    {
        xbase::Table& t = dmod->ShowDates;
        t.append();
        t.setInt("show_num", number);
        t.setInt("num_days", 1);
        t.setText("show_date", "06/05/2004");
        t.setInt("d1_std", 1);
        ASSERT_TRUE(t.post());
    }

    // Entries of the previous layout, scrambled, one of them deleted.
    QString makeOldEntries(const QString& name)
    {
        const QString path = folders->shows() + name;
        {
            xbase::Table templ;
            templ.open(folders->pgmdata() + "showdb36.dbf");
            templ.copyStructure(path);
        }
        xbase::Table t;
        t.open(path);
        t.setReadCallback(data::UnscrambleRecord);
        t.setWriteCallback(data::ScrambleRecord);
        for (const char* last : {"Abbott", "Brennan"}) {
            t.append();
            t.setText("last", last);
            t.setText("mem_dog_id", "12345-01");
            t.setInt("show_num", 12);
            EXPECT_TRUE(t.post());
        }
        t.setDeleted(true);
        t.close();
        return path;
    }

    static inline SeededDemoFolder seeded;
    TempFolder dir;
    std::unique_ptr<ProgramFolders> folders;
    std::unique_ptr<TDmod> dmod;
    std::unique_ptr<TMainForm> form;
    int opened = 0;
    int closed = 0;
};

} // namespace

TEST_F(TrialLifecycleTest, NewTrialBecomesCurrent)
{
    EXPECT_TRUE(form->item("NewTrial1")->isEnabled());
    EXPECT_FALSE(form->item("PackRemoveDeletes1")->isEnabled());
    ScriptedDialogs dialogs;
    createTrial(dialogs);

    const QString entries = folders->shows() + "Show-00001-06-05-2004.dbf";
    EXPECT_TRUE(dmod->TzDbf1.isOpen());
    EXPECT_TRUE(form->isTrialOpen());
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(form->trialNumber(), 1);
    EXPECT_EQ(form->entriesPath(), entries);
    EXPECT_EQ(form->trialFirstDate(), "06/05/2004");
    EXPECT_EQ(form->windowTitle(), "Velmora 3.6 - " + QDir::toNativeSeparators(entries));
    EXPECT_EQ(form->statusPanel(1), "Show #     1");
    EXPECT_EQ(form->statusPanel(3), "Current Index = Last Name");
    EXPECT_EQ(dmod->TrialDateKey(), "06052004");
    EXPECT_TRUE(form->item("PackRemoveDeletes1")->isEnabled());
    EXPECT_TRUE(form->item("RemoveAllRecordsFromDatabase1")->isEnabled());
    EXPECT_TRUE(form->item("LastName1")->isChecked());
    EXPECT_EQ(GenDefs(folders->gendefs()).lastOpenedShow(), entries);
    EXPECT_TRUE(QFileInfo(folders->catdata() + "cat00001").isDir());

    // Close, then open it again through the file dialog.
    form->item("CloseCurrentTrial1")->trigger();
    EXPECT_FALSE(dmod->TzDbf1.isOpen());
    EXPECT_FALSE(form->isTrialOpen());
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(form->trialNumber(), 0);
    EXPECT_EQ(form->statusPanel(1), "Show #");
    EXPECT_EQ(form->statusPanel(2), "Rec #");
    EXPECT_EQ(form->statusPanel(3), "Current Index =");
    EXPECT_EQ(form->windowTitle(), "Velmora 3.6");
    EXPECT_FALSE(form->item("PackRemoveDeletes1")->isEnabled());

    dialogs.expectOpenFile(entries);
    dialogs.expectMessage(TrialLifecycle::kEmptyShowMessage);
    form->item("OpenExistingTrial1")->trigger();
    ASSERT_FALSE(dialogs.fileRequests().isEmpty());
    const FileRequest& request = dialogs.fileRequests().last();
    EXPECT_EQ(request.title, "Path - " + QDir::toNativeSeparators(folders->shows().chopped(1)));
    EXPECT_EQ(request.filter, "Show Databases  (*.dbf)|*.dbf");
    EXPECT_EQ(request.defaultExtension, "dbf");
    EXPECT_EQ(request.fileName, entries);
    EXPECT_TRUE(request.mustExist);
    EXPECT_TRUE(form->isTrialOpen());
    EXPECT_EQ(form->trialNumber(), 1);
    EXPECT_EQ(dmod->TzDbf1.path(), entries);
    EXPECT_EQ(dmod->TzDbf1.currentTag(), "NAME");
    EXPECT_EQ(opened, 2);
}

TEST_F(TrialLifecycleTest, SecondTrialAfterOneTwoAndSevenIsEight)
{
    for (int n : {1, 2, 7})
        addTrialRow(n);
    ScriptedDialogs dialogs;
    createTrial(dialogs, QDate(2005, 1, 2));
    EXPECT_EQ(form->trialNumber(), 8);
    EXPECT_TRUE(QFileInfo::exists(folders->shows() + "Show-00008-01-02-2005.dbf"));
}

TEST_F(TrialLifecycleTest, CancellingTheNewTrialWindowLeavesNoTrialOpen)
{
    ScriptedDialogs dialogs;
    createTrial(dialogs);
    ASSERT_TRUE(form->isTrialOpen());
    newTrial([](TShowDateForm& dates) { dates.CancelButtonClick(); });
    EXPECT_FALSE(dmod->TzDbf1.isOpen());
    EXPECT_FALSE(form->isTrialOpen());
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(dmod->ShowDates.recordCount(), 1u);
    EXPECT_EQ(dmod->ShowDates.state(), xbase::Table::State::Browse);
}

TEST_F(TrialLifecycleTest, UnknownTrialLoopsBackToTheDialog)
{
    const QString stray = folders->shows() + "entries.dbf";
    dmod->OpenShowTemplate();
    dmod->Show.copyStructure(stray);
    const QString unknown = folders->shows() + "Show-00044-06-05-2004.dbf";
    dmod->Show.copyStructure(unknown);

    ScriptedDialogs dialogs;
    dialogs.expectOpenFile(stray);
    dialogs.expectMessage("The Show # [    0];;not found in your Show Dates file - cannot open;;Please try again.");
    dialogs.expectOpenFile(unknown);
    dialogs.expectMessage("The Show # [   44];;not found in your Show Dates file - cannot open;;Please try again.");
    dialogs.expectOpenFile(std::nullopt);
    form->item("OpenExistingTrial1")->trigger();
    EXPECT_FALSE(form->isTrialOpen());
    EXPECT_FALSE(dmod->TzDbf1.isOpen());
    EXPECT_EQ(form->windowTitle(), "Velmora 3.6");
    EXPECT_EQ(GenDefs(folders->gendefs()).lastOpenedShow().trimmed().toUpper(), "UNKNOWN");
}

TEST_F(TrialLifecycleTest, DamagedAndForeignFilesAreLeftAlone)
{
    const QString damaged = folders->shows() + "Show-00012-06-05-2004.dbf";
    xbase::Table::create(damaged, {{"a", 'C', 254}, {"b", 'C', 254}, {"c", 'C', 17}});
    const QByteArray before = fileBytes(damaged);
    const QString foreign = folders->shows() + "Show-00013-06-05-2004.dbf";
    xbase::Table::create(foreign, {{"a", 'C', 10}});
    addTrialRow(12);
    addTrialRow(13);

    ScriptedDialogs dialogs;
    dialogs.expectOpenFile(damaged);
    dialogs.expectMessage(TrialLifecycle::kDamagedMessage);
    form->item("OpenExistingTrial1")->trigger();
    EXPECT_EQ(fileBytes(damaged), before);
    EXPECT_FALSE(form->isTrialOpen());

    dialogs.expectOpenFile(foreign);   // silently abandoned
    form->item("OpenExistingTrial1")->trigger();
    EXPECT_FALSE(form->isTrialOpen());
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(TrialLifecycleTest, OldEntriesFileIsConvertedOnOpen)
{
    addTrialRow(12);
    const QString path = makeOldEntries("Show-00012-06-05-2004.dbf");
    const QByteArray original = fileBytes(path);

    ScriptedDialogs dialogs;
    dialogs.expectOpenFile(path);
    dialogs.expectMessage(kConverting);
    form->item("OpenExistingTrial1")->trigger();
    EXPECT_TRUE(form->isTrialOpen());
    EXPECT_EQ(form->trialNumber(), 12);
    EXPECT_EQ(fileBytes(data::EntriesBackupPath(path)), original);
    EXPECT_EQ(dmod->TzDbf1.recordLength(), 524);
    ASSERT_EQ(dmod->TzDbf1.recordCount(), 2u);
    dmod->TzDbf1.go(2);
    EXPECT_EQ(dmod->TzDbf1.trimmed("last"), "Brennan");
    EXPECT_TRUE(dmod->TzDbf1.isDeleted());
    EXPECT_EQ(dmod->TzDbf1.trimmed("gatekey"), "");

    // The second open finds the current layout and opens it as it is.
    form->item("CloseCurrentTrial1")->trigger();
    const QByteArray converted = fileBytes(path);
    dialogs.expectOpenFile(path);
    form->item("OpenExistingTrial1")->trigger();
    EXPECT_TRUE(form->isTrialOpen());
    EXPECT_EQ(fileBytes(data::EntriesBackupPath(path)), original);
    form->item("CloseCurrentTrial1")->trigger();
    EXPECT_EQ(fileBytes(path), converted);
}

TEST_F(TrialLifecycleTest, ExistingBackupIsKeptAndTheFileStillConverted)
{
    addTrialRow(12);
    const QString path = makeOldEntries("Show-00012-06-05-2004.dbf");
    QFile backup(data::EntriesBackupPath(path));
    ASSERT_TRUE(backup.open(QIODevice::WriteOnly));
    backup.write("an older backup");
    backup.close();

    ScriptedDialogs dialogs;   // no message this time
    dialogs.expectOpenFile(path);
    form->item("OpenExistingTrial1")->trigger();
    EXPECT_TRUE(form->isTrialOpen());
    EXPECT_EQ(dmod->TzDbf1.recordLength(), 524);
    EXPECT_EQ(dmod->TzDbf1.recordCount(), 2u);
    EXPECT_EQ(fileBytes(data::EntriesBackupPath(path)), "an older backup");
}

TEST_F(TrialLifecycleTest, PackAndRemoveAll)
{
    addTrialRow(12);
    const QString path = makeOldEntries("Show-00012-06-05-2004.dbf");
    ScriptedDialogs dialogs;
    dialogs.expectOpenFile(path);
    dialogs.expectMessage(kConverting);
    form->item("OpenExistingTrial1")->trigger();
    ASSERT_TRUE(form->isTrialOpen());
    const QString pack = QStringLiteral("Packing the database will permanently remove;all the records marked as "
                                        "\"Deleted\".;Are you sure that is what you want?");

    dialogs.expectMessage(pack, "Cancel");
    form->item("PackRemoveDeletes1")->trigger();
    EXPECT_EQ(dmod->TzDbf1.recordCount(), 2u);
    dialogs.expectMessage(pack, "Pack");
    form->item("PackRemoveDeletes1")->trigger();
    ASSERT_EQ(dmod->TzDbf1.recordCount(), 1u);
    EXPECT_EQ(dmod->TzDbf1.trimmed("last"), "Abbott");
    dialogs.expectMessage(pack, "Pack");   // nothing deleted: nothing changes
    form->item("PackRemoveDeletes1")->trigger();
    EXPECT_EQ(dmod->TzDbf1.recordCount(), 1u);

    const QString removeAll = QStringLiteral("Are you sure you want to permanently remove all Records from this Show?");
    dialogs.expectMessage(removeAll, "NO");
    form->item("RemoveAllRecordsFromDatabase1")->trigger();
    EXPECT_EQ(dmod->TzDbf1.recordCount(), 1u);
    dialogs.expectMessage(removeAll, "Yes");
    form->item("RemoveAllRecordsFromDatabase1")->trigger();
    EXPECT_EQ(dmod->TzDbf1.recordCount(), 0u);
    // The trial itself stays: its ShowDates row, and it is still open.
    EXPECT_EQ(dmod->ShowDates.recordCount(), 1u);
    EXPECT_TRUE(form->isTrialOpen());
}

TEST_F(TrialLifecycleTest, ShowDatesWindowNeedsATrial)
{
    ScriptedDialogs dialogs;
    dialogs.expectMessage("You have not started any Show yet - ;Go to FILE/New Trial");
    form->item("ShowDatesAndClasses1")->trigger();
}

#include "data/dmod.h"
#include "data/tables.h"
#include "platform/system/inifile.h"
#include "platform/system/programfolders.h"
#include "platform/system/textfile.h"
#include "setup/defaultsform.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Club
{
    const char* code;
    const char* name;
    bool deleted = false;
};

class DefaultsFormTest : public ::testing::Test
{
protected:
    DefaultsFormTest()
    {
        for (const char* f : {"agxdata", "indexs", "userdata", "shows"})
            QDir().mkpath(QDir(dir.path()).filePath(f));
        folders = std::make_unique<ProgramFolders>(dir.path());
        ProgramFolders::setCurrent(*folders);
        dmod = std::make_unique<TDmod>(*folders);
    }

    // sclubs.dbf with these clubs, in this record order.
    void clubs(const QList<Club>& list)
    {
        const QString path = QDir(dir.path()).filePath("agxdata/sclubs.dbf");
        xbase::Table::create(path, data::tableDef(data::TableId::HostClubs).fields);
        xbase::Table t;
        t.open(path);
        for (const Club& c : list) {
            t.append();
            t.setText("club_code", QString::fromLatin1(c.code));
            t.setText("club_name", QString::fromLatin1(c.name));
            t.setDeleted(c.deleted);
            t.post();
        }
        t.close();
    }

    void standardClubs()
    {
        clubs({{"20BD", "Bay Dogs"}, {"11AL", "Alpha Agility"}, {"35BD", "Bay Dogs"}, {"40XX", "  "},
               {"50ZZ", "Zeta Runners", true}, {"60NM", "north mesa"}});
    }

    std::unique_ptr<TDefaultsForm> open()
    {
        auto form = std::make_unique<TDefaultsForm>(*dmod);
        form->FormActivate();
        return form;
    }

    IniFile ini() const { return IniFile(folders->gendefs()); }
    void write(const char* section, const char* key, const QString& value) { ini().writeString(section, key, value); }
    QString read(const char* section, const char* key) const { return ini().readString(section, key, "<missing>"); }
    QStringList names(const TDefaultsForm& form) const
    {
        QStringList list;
        for (int i = 0; i < form.clubNames()->count(); ++i)
            list << form.clubNames()->itemText(i);
        return list;
    }
    void typeInto(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        emit edit->textEdited(text);
    }

    TempFolder dir;
    std::unique_ptr<ProgramFolders> folders;
    std::unique_ptr<TDmod> dmod;
};

} // namespace

TEST(DefaultsRules, SecretaryLinePreview)
{
    const defaults::SecretaryFields unknown{"Unknown", "Unknown", "Unknown", "Unknown", "Unknown", "Unknown", "Unknown"};
    EXPECT_EQ(defaults::secretaryPreview(unknown),
              "Secretary Name     Address   City, State  Zip     Phone     Email");
    const defaults::SecretaryFields known{" Pat Lee ", "1 Elm St", "Dover", "DE", "19901", "555-0101", "pat@example.org"};
    EXPECT_EQ(defaults::secretaryPreview(known),
              "Pat Lee     1 Elm St   Dover, DE  19901     555-0101     pat@example.org");
    defaults::SecretaryFields mixed = known;
    mixed.city = " Unknown ";
    mixed.email = "";
    EXPECT_EQ(defaults::secretaryPreview(mixed),
              "Pat Lee     1 Elm St   City, DE  19901     555-0101     ");
}

TEST(DefaultsRules, ArmbandItems)
{
    const std::pair<const char*, int> creation[] = {
        {"AfterAutomatic", 0}, {" afterautomatic ", 0}, {"A", 0}, {"Manual", 1}, {"m", 1},
        {"InputAutomatic", -1}, {"", -1}, {"Unknown", -1},
    };
    for (const auto& [stored, item] : creation)
        EXPECT_EQ(defaults::armbandCreationItem(stored), item) << stored;
    EXPECT_EQ(defaults::armbandDigitsItem(2), 0);
    EXPECT_EQ(defaults::armbandDigitsItem(3), 1);
    EXPECT_EQ(defaults::armbandDigitsItem(4), -1);
    EXPECT_EQ(defaults::armbandDigitsItem(0), -1);
}

TEST_F(DefaultsFormTest, FreshSettingsShowTheDefaultsAndOkayWritesNothing)
{
    standardClubs();
    auto form = open();
    EXPECT_EQ(form->windowTitle(), "AGX Trial Secretary Default Settings");
    QStringList tabs;
    for (int i = 0; i < form->pageControl()->count(); ++i)
        tabs << form->pageControl()->tabText(i);
    EXPECT_EQ(tabs, QStringList({"Club Info", "Secretary Info", "Preferences", "Exhibitor Slips"}));

    EXPECT_EQ(form->clubNames()->currentIndex(), -1);
    EXPECT_EQ(form->clubIdLabel()->text(), "Club ID");
    EXPECT_EQ(form->abbreviationEdit()->text(), "Unknown");
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(form->secretaryEdit(i)->text(), "Unknown") << i;
    EXPECT_EQ(form->commentLine()->text(), defaults::kDefaultCommentLine);
    EXPECT_EQ(form->commentLine()->maxLength(), 105);
    EXPECT_EQ(form->secretaryLine()->text(), "Secretary Name     Address   City, State  Zip     Phone     Email");
    EXPECT_FALSE(form->enterAsTabBox()->isChecked());
    EXPECT_FALSE(form->pgdnAsSaveBox()->isChecked());
    EXPECT_EQ(form->creationGroup()->checkedId(), 0);
    EXPECT_EQ(form->creationGroup()->checkedButton()->text(), "Automatic - Height Order after all Entries are inputted");
    EXPECT_EQ(form->digitsGroup()->checkedId(), 0);
    EXPECT_EQ(form->digitsGroup()->checkedButton()->text(), "Height +  2 digits  (1204)");
    EXPECT_FALSE(form->applyButton()->isEnabled());

    form->OkayButtonClick();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_FALSE(QFile::exists(folders->gendefs()));
}

TEST_F(DefaultsFormTest, ApplyWritesEveryKeyInItsOrder)
{
    standardClubs();
    auto form = open();
    form->clubNames()->setCurrentIndex(0);
    form->ClubNameChoose(0);   // Alpha Agility
    EXPECT_EQ(form->clubIdLabel()->text(), "11AL");
    EXPECT_TRUE(form->applyButton()->isEnabled());
    typeInto(form->abbreviationEdit(), "AA");
    const char* values[] = {"Pat Lee", "1 Elm St", "Dover", "DE", "19901", "555-0101", "pat@example.org"};
    for (int i = 0; i < 7; ++i)
        typeInto(form->secretaryEdit(i), values[i]);
    typeInto(form->commentLine(), "Call me; any time");
    form->enterAsTabBox()->click();
    form->creationGroup()->button(1)->click();
    form->digitsGroup()->button(1)->click();
    EXPECT_EQ(form->secretaryLine()->text(), "Secretary Name     Address   City, State  Zip     Phone     Email");

    form->ApplyButtonClick();
    EXPECT_FALSE(form->applyButton()->isEnabled());
    EXPECT_EQ(form->secretaryLine()->text(), "Pat Lee     1 Elm St   Dover, DE  19901     555-0101     pat@example.org");
    QStringList lines = readTextLines(folders->gendefs());
    lines.removeAll(QString());
    EXPECT_EQ(lines, QStringList({"[ClubInfo]", "ClubName=Alpha Agility", "ClubAbbreviation=AA", "ClubID=11AL",
                                  "[SecretaryInfo]", "Name=Pat Lee", "Address=1 Elm St", "City=Dover", "State=DE",
                                  "Zip=19901", "Phone=555-0101", "Email=pat@example.org", "[Preferences]",
                                  "Line1=Call me; any time", "EnterAsTab=1", "PgdnAsSave=0", "Armbands=Manual",
                                  "Digits=3"}));

    // Opened again, it shows what was written.
    auto again = open();
    EXPECT_EQ(again->clubNames()->currentText(), "Alpha Agility");
    EXPECT_EQ(again->clubIdLabel()->text(), "11AL");
    EXPECT_EQ(again->creationGroup()->checkedId(), 1);
    EXPECT_EQ(again->digitsGroup()->checkedId(), 1);
    EXPECT_TRUE(again->enterAsTabBox()->isChecked());
    EXPECT_EQ(again->commentLine()->text(), "Call me; any time");
}

TEST_F(DefaultsFormTest, InputAutomaticIsWrittenBackAsStoredInCapitals)
{
    standardClubs();
    write("Preferences", "Armbands", " InputAutomatic ");
    write("Preferences", "Digits", "4");
    auto form = open();
    EXPECT_EQ(form->creationGroup()->checkedId(), -1);
    EXPECT_EQ(form->digitsGroup()->checkedId(), -1);
    form->ResetDefaultClick();
    EXPECT_TRUE(form->applyButton()->isEnabled());
    form->OkayButtonClick();
    EXPECT_EQ(read("Preferences", "Armbands"), "INPUTAUTOMATIC");
    EXPECT_EQ(read("Preferences", "Digits"), "4");
    EXPECT_EQ(read("Preferences", "Line1"), defaults::kDefaultCommentLine);
}

TEST_F(DefaultsFormTest, StoredClubIdMissingFromTheClubListIsKept)
{
    standardClubs();
    write("ClubInfo", "ClubID", "99QQ");
    write("ClubInfo", "ClubName", "Old Club");
    auto form = open();
    EXPECT_EQ(form->clubIdLabel()->text(), "99QQ");
    EXPECT_EQ(form->clubNames()->currentIndex(), -1);
    typeInto(form->secretaryEdit(0), "Pat");
    form->ApplyButtonClick();
    EXPECT_EQ(read("ClubInfo", "ClubID"), "99QQ");
    EXPECT_EQ(read("ClubInfo", "ClubName"), "Old Club");
}

TEST_F(DefaultsFormTest, NoClubKnownWritesUnknownNotTheLabelsCaption)
{
    standardClubs();
    auto form = open();
    typeInto(form->secretaryEdit(0), "Pat");
    form->ApplyButtonClick();
    EXPECT_EQ(read("ClubInfo", "ClubID"), "Unknown");
    EXPECT_EQ(read("ClubInfo", "ClubName"), "Unknown");
}

TEST_F(DefaultsFormTest, ClubListIsSortedKeepsEqualNamesAndEachCarriesItsRecord)
{
    standardClubs();
    write("ClubInfo", "ClubID", "35BD");
    auto form = open();
    // Blank names are left out; deleted records are read too; letter case is ignored.
    EXPECT_EQ(names(*form), QStringList({"Alpha Agility", "Bay Dogs", "Bay Dogs", "north mesa", "Zeta Runners"}));
    // The stored code selects the item of its own record.
    ASSERT_EQ(form->clubNames()->currentText(), "Bay Dogs");
    EXPECT_EQ(form->clubNames()->currentData().toUInt(), 3u);

    for (int index : {1, 2}) {
        form->clubNames()->setCurrentIndex(index);
        form->ClubNameChoose(index);
        const quint32 recNo = form->clubNames()->itemData(index).toUInt();
        EXPECT_EQ(form->clubIdLabel()->text(), recNo == 1 ? "20BD" : "35BD");
    }
    form->ApplyButtonClick();
    EXPECT_EQ(read("ClubInfo", "ClubName"), "Bay Dogs");

    const defaults::ClubLists lists = defaults::readClubs(dmod->HostClubs);
    QStringList codes;
    for (const defaults::ClubItem& c : lists.codes)
        codes << c.text + "@" + QString::number(c.recNo);
    EXPECT_EQ(codes, QStringList({"11AL@2", "20BD@1", "35BD@3", "50ZZ@5", "60NM@6"}));
}

TEST_F(DefaultsFormTest, MissingClubFileLeavesTheListEmptyAndTheIdAsStored)
{
    write("ClubInfo", "ClubID", "20BD");
    ScriptedDialogs dialogs;
    dialogs.expectMessageContaining("sclubs.dbf");
    auto form = open();
    EXPECT_EQ(form->clubNames()->count(), 0);
    EXPECT_EQ(form->clubIdLabel()->text(), "20BD");
    EXPECT_EQ(form->secretaryEdit(0)->text(), "Unknown");   // the rest is still loaded
}

TEST_F(DefaultsFormTest, CommentBoxEnablesApplyOnEnteringHelpAndCancel)
{
    standardClubs();
    auto form = open();
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(form->commentLine(), &focusIn);
    EXPECT_TRUE(form->applyButton()->isEnabled());

    ScriptedDialogs dialogs;
    dialogs.expectMessage("Still working on");
    form->HelpButtonClick();

    typeInto(form->abbreviationEdit(), "XYZ");
    form->CancelButtonClick();
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_FALSE(QFile::exists(folders->gendefs()));
}

TEST_F(DefaultsFormTest, Screenshot)
{
    // Set VELMORA_SHOTS to a folder to keep a picture of the window.
    const QString shots = qEnvironmentVariable("VELMORA_SHOTS");
    if (shots.isEmpty())
        GTEST_SKIP();
    standardClubs();
    write("ClubInfo", "ClubID", "35BD");
    TDefaultsForm form(*dmod);
    form.show();
    for (int tab = 0; tab < form.pageControl()->count(); ++tab) {
        form.pageControl()->setCurrentIndex(tab);
        EXPECT_TRUE(form.grab().save(QDir(shots).filePath(QStringLiteral("defaults%1.png").arg(tab))));
    }
    form.close();
}

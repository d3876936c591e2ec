#include "entries/heightchangeform.h"
#include "entriesfixture.h"
#include "support/scripteddialogs.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

class HeightChangeFormTest : public EntriesFixture
{
protected:
    void addResult(xbase::Table& results, const QString& armband, const QString& fullarm)
    {
        results.append();
        results.setText("armband", armband);
        results.setText("fullarm", fullarm);
        results.setText("jump_ht", "12");
        results.setText("class_ht", "16");
        ASSERT_TRUE(results.post());
    }
};

} // namespace

TEST_F(HeightChangeFormTest, FindsTheDogChangesItAndItsResultsThenRestoresTheOrder)
{
    const quint32 dog = addEntry({{"call_name", "Rex"},
                                  {"first", "Ann & Bob"},
                                  {"last", "Smith"},
                                  {"mem_dog_id", "01234-02"},
                                  {"ht_cat", "V"},
                                  {"reg_ht", "16"},
                                  {"vet_ht", "12"},
                                  {"armband", "1603"}});
    addDog("Top", "R", "20", {}, "2004");
    {
        xbase::Table& results = openResults();
        addResult(results, "1603", "1603V");
        addResult(results, "2004", "2004");
        results.close();   // the window opens it when it needs it
    }
    entries().setCurrentTag("NAME");

    THeightChangeForm form(*dmod, 12);
    form.show();
    EXPECT_TRUE(form.categoryLabel()->text().isEmpty());
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("Armband Not Found - Try Again");
        form.currentArmbandEdit()->setText("603");
        EXPECT_FALSE(form.CurrentArmbandExit());
    }
    form.currentArmbandEdit()->setText("1603");
    ASSERT_TRUE(form.CurrentArmbandExit());
    EXPECT_EQ(form.dogRecord(), dog);
    EXPECT_EQ(form.callNameLabel()->text(), "Rex");
    // A label without a buddy shows "&" as it stands: doubled, it would read "Ann && Bob".
    EXPECT_EQ(form.ownerLabel()->text(), "Ann & Bob Smith");
    EXPECT_EQ(form.ownerLabel()->textFormat(), Qt::PlainText);
    EXPECT_EQ(form.idLabel()->text(), "01234-02");
    EXPECT_EQ(form.categoryLabel()->text(), "VETERAN");

    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("You must select a Height!");
        EXPECT_FALSE(form.ModifyRecordsClick());
    }
    EXPECT_EQ(armband(dog).trimmed(), "1603");   // nothing written

    form.heightRadio(20)->setChecked(true);
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("All Records for Armband # 1603 Have been changed.");
        EXPECT_TRUE(form.ModifyRecordsClick());
    }
    EXPECT_EQ(form.newArmbandEdit()->text(), "2005");
    EXPECT_EQ(field(dog, "reg_ht"), "20");
    EXPECT_EQ(field(dog, "vet_ht"), "16");
    EXPECT_EQ(armband(dog).trimmed(), "2005");
    EXPECT_FALSE(dmod->Results.isOpen());   // closed again

    // A second change of the same dog starts from its new armband, so its results follow.
    form.heightRadio(24)->setChecked(true);
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("All Records for Armband # 2005 Have been changed.");
        EXPECT_TRUE(form.ModifyRecordsClick());
    }
    dmod->OpenResults("00012");
    xbase::ScanCursor scan = dmod->Results.scan();
    scan.go(1);
    EXPECT_EQ(scan.text("armband").trimmed(), "2401");
    EXPECT_EQ(scan.text("fullarm").trimmed(), "2401V");
    EXPECT_EQ(scan.text("jump_ht"), "20");
    EXPECT_EQ(scan.text("class_ht"), "24");
    scan.go(2);
    EXPECT_EQ(scan.text("armband").trimmed(), "2004");
    dmod->Results.close();

    form.ClearFieldsClick();
    EXPECT_TRUE(form.currentArmbandEdit()->text().isEmpty());
    EXPECT_TRUE(form.newArmbandEdit()->text().isEmpty());
    for (int inches : {4, 8, 12, 16, 20, 24})
        EXPECT_FALSE(form.heightRadio(inches)->isChecked());
    EXPECT_TRUE(form.categoryLabel()->text().isEmpty());
    EXPECT_EQ(form.dogRecord(), 0u);

    form.CloseClick();
    EXPECT_EQ(entries().currentTag(), "NAME");
    EXPECT_TRUE(IniFile(ProgramFolders::current().gendefs()).keyExists("THeightChangeForm", "Top"));
}

TEST_F(HeightChangeFormTest, WithoutResultsOnlyTheEntryChangesAndBlankFindsNothing)
{
    const quint32 dog = addDog("Small", "S", "12", " 4", "1201");
    addDog("NoNumber", "R", "12");
    THeightChangeForm form(*dmod, 12);
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("Armband Not Found - Try Again");
        form.heightRadio(8)->setChecked(true);
        EXPECT_FALSE(form.ModifyRecordsClick());   // no dog found yet
    }
    form.currentArmbandEdit()->setText("1201");
    form.heightRadio(8)->setChecked(true);
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("All Records for Armband # 1201 Have been changed.");
        EXPECT_TRUE(form.ModifyRecordsClick());
    }
    EXPECT_EQ(armband(dog), " 801  ");
    EXPECT_EQ(field(dog, "spec_ht"), " 4");
    EXPECT_FALSE(dmod->ResultsExists("00012"));
}

TEST_F(HeightChangeFormTest, WindowLosingTheFrontDoesNotLookTheArmbandUp)
{
    addDog("Rex", "R", "16", {}, "1603");
    THeightChangeForm form(*dmod, 12);
    form.currentArmbandEdit()->setText("99");
    ScriptedDialogs dialogs;   // no message expected
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(form.currentArmbandEdit(), &out);
    }
    // Moving to another control of the window still looks it up.
    dialogs.expectMessage("Armband Not Found - Try Again");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(form.currentArmbandEdit(), &out);
}

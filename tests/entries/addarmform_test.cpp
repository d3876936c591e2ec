#include "entries/addarmform.h"
#include "entriesfixture.h"
#include "platform/ui/datagrid.h"
#include "platform/ui/datasource.h"
#include "support/scripteddialogs.h"

#include <QAction>

namespace {

class AddArmFormTest : public EntriesFixture
{
protected:
    int col(const char* field) { return int(TAddArmForm::columnFields().indexOf(QString::fromLatin1(field))); }

    // Types text into a cell of the grid the way an editor would.
    bool type(TAddArmForm& form, int row, const char* field, const QString& text)
    {
        TableModel* model = form.grid()->tableModel();
        return model->setData(model->index(row, col(field)), text);
    }
};

} // namespace

TEST_F(AddArmFormTest, OpensInAscendingHeightsShowingDeletesWithThePreferenceCaption)
{
    IniFile ini(ProgramFolders::current().gendefs());
    ini.writeString("Preferences", "Armbands", "AfterAutomatic");
    setDigits(3);
    addDog("Big", "R", "16");
    const quint32 small = addDog("Small", "R", " 4");
    addDog("Gone", "R", " 8", {}, {}, true);
    entries().setShowDeleted(false);

    TAddArmForm form(*dmod, 12);
    EXPECT_EQ(form.windowTitle(), "Add Armband Numbers");
    EXPECT_EQ(form.preferenceCaption(), "Current Armband Preferences = AFTER - 5 Digits");
    EXPECT_EQ(entries().currentTag(), "SORTHTA");
    EXPECT_TRUE(form.action("SORTHTA")->isChecked());
    EXPECT_EQ(entries().recNo(), small);
    EXPECT_TRUE(entries().showDeleted());
    EXPECT_EQ(form.grid()->tableModel()->rowCount(), 3);
    EXPECT_EQ(form.action("ShowDeletes1")->text(), "Hide Deletes");
    EXPECT_EQ(form.statusText(0), "Show #    12");
    EXPECT_EQ(form.statusText(1), "Rec #     2 /     3");
    EXPECT_EQ(form.statusText(2), "Current Index is Ascending Heights");
    EXPECT_EQ(form.legend().front(), "A = 4\" = Orange");

    // Only the armband and gate key cells can be typed in.
    TableModel* model = form.grid()->tableModel();
    EXPECT_FALSE(model->flags(model->index(0, col("call_name"))) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->flags(model->index(0, col("reg_ht"))) & Qt::ItemIsEditable);
    EXPECT_TRUE(model->flags(model->index(0, col("armband"))) & Qt::ItemIsEditable);
    EXPECT_TRUE(model->flags(model->index(0, col("gatekey"))) & Qt::ItemIsEditable);
    EXPECT_EQ(model->headerData(col("reg_ht"), Qt::Horizontal).toString(), "RegHt");
    EXPECT_EQ(model->headerData(col("spec_ht"), Qt::Horizontal).toString(), "Sht");
}

TEST_F(AddArmFormTest, IndexOrdersAndShowDeletes)
{
    addDog("A", "R", "12", {}, "1202");
    addDog("B", "R", " 8", {}, " 801", true);
    TAddArmForm form(*dmod, 12);
    struct Case
    {
        const char* tag;
        const char* status;
    };
    for (const Case& c : {Case{"SORTHTD", "Current Index is Descending Heights"},
                          Case{"ARMBAND", "Current Index is Armband Number"},
                          Case{"GATEKEY", "Current Index is Gate Key"},
                          Case{"SORTHTA", "Current Index is Ascending Heights"}}) {
        form.action(c.tag)->trigger();
        EXPECT_EQ(entries().currentTag(), c.tag);
        EXPECT_TRUE(form.action(c.tag)->isChecked());
        EXPECT_EQ(form.statusText(2), c.status);
    }
    form.ShowDeletesClick();
    EXPECT_EQ(form.action("ShowDeletes1")->text(), "Show Deletes");
    EXPECT_EQ(form.grid()->tableModel()->rowCount(), 1);
    form.ShowDeletesClick();
    EXPECT_EQ(form.action("ShowDeletes1")->text(), "Hide Deletes");
    EXPECT_EQ(form.grid()->tableModel()->rowCount(), 2);
}

TEST_F(AddArmFormTest, AutoAssignAsksWhichNumbersAndCancelDoesNothing)
{
    const quint32 vet = addDog("Vet", "V", "16", "12");
    const quint32 small = addDog("Small", "R", " 8");
    TAddArmForm form(*dmod, 12);
    const QString question = "Which Numbers do you want assigned?";
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage(question, "Cancel");
        form.AutoAssignClick();
        EXPECT_EQ(dialogs.messages().at(0).buttons, (QStringList{"Armbands", "GateKeys", "Both", "Cancel"}));
    }
    EXPECT_TRUE(armband(vet).trimmed().isEmpty());
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage(question, "Both");
        form.AutoAssignClick();
    }
    EXPECT_EQ(armband(small), " 801  ");
    EXPECT_EQ(armband(vet).trimmed(), "1601");
    EXPECT_EQ(gateKey(vet), "C002");
    EXPECT_EQ(entries().recNo(), small);
    // The grid shows the new numbers and the rows their colours.
    TableModel* model = form.grid()->tableModel();
    EXPECT_EQ(model->data(model->index(1, col("gatekey"))).toString().trimmed(), "C002");
    EXPECT_EQ(model->data(model->index(0, 0), Qt::BackgroundRole).value<QColor>(), QColor(198, 248, 179));

    form.ClearGateKeysClick();
    EXPECT_TRUE(gateKey(vet).trimmed().isEmpty());
    EXPECT_EQ(armband(vet).trimmed(), "1601");
    form.ClearArmbandsClick();
    EXPECT_TRUE(armband(vet).trimmed().isEmpty());
}

TEST_F(AddArmFormTest, TypedArmbandIsRightAlignedGateKeyCapitalisedAndDuplicatesRefused)
{
    const quint32 small = addDog("Small", "R", " 8");
    addDog("Gone", "R", "12", {}, "1201", true);
    const quint32 big = addDog("Big", "R", "12");
    TAddArmForm form(*dmod, 12);
    form.show();

    ASSERT_TRUE(type(form, 0, "armband", "7"));
    ASSERT_TRUE(type(form, 0, "gatekey", "c3"));
    ASSERT_TRUE(entries().post());
    EXPECT_EQ(armband(small), "   7  ");
    EXPECT_EQ(gateKey(small), "C3  ");

    // The deleted dog's number is a duplicate: the write is refused and the record stays in edit.
    const int bigRow = form.grid()->tableModel()->rowOf(big);
    ASSERT_TRUE(type(form, bigRow, "armband", "1201"));
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("1201 is a Duplicate Armband # - Revise");
        EXPECT_FALSE(entries().post());
        EXPECT_EQ(dialogs.messages().at(0).icon, MessageIcon::Exclamation);
        EXPECT_EQ(entries().state(), xbase::Table::State::Edit);
    }
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("1201 is a Duplicate Armband # - Revise");
        EXPECT_FALSE(form.DoneClick());   // Done cannot close over it
        EXPECT_EQ(form.result(), 0);
    }
    ASSERT_TRUE(type(form, bigRow, "armband", "1202"));
    EXPECT_TRUE(form.DoneClick());
    EXPECT_EQ(armband(big), "1202  ");

    // Once closed the window's rules are off the table.
    entries().go(small);
    entries().edit();
    entries().setText("gatekey", "x");
    EXPECT_TRUE(entries().post());
    EXPECT_EQ(gateKey(small), "x   ");
    // Its place was kept under its own section.
    EXPECT_TRUE(IniFile(ProgramFolders::current().gendefs()).keyExists("TAddArmForm", "Width"));
}

TEST_F(AddArmFormTest, EnterMovesFromArmbandToGateKeyAndDownTheGateKeys)
{
    addDog("A", "R", " 8");
    addDog("B", "R", "12");
    TAddArmForm form(*dmod, 12);
    DataGrid* grid = form.grid();
    TableModel* model = grid->tableModel();

    ASSERT_TRUE(grid->moveToCell(0, col("armband")));
    form.TzGrid1Enter();
    EXPECT_EQ(grid->currentIndex().column(), col("gatekey"));
    EXPECT_EQ(grid->currentIndex().row(), 0);
    form.TzGrid1Enter();
    EXPECT_EQ(grid->currentIndex().column(), col("gatekey"));
    EXPECT_EQ(grid->currentIndex().row(), 1);
    form.TzGrid1Enter();   // the end of the table: a beep, the cell stays
    EXPECT_EQ(grid->currentIndex().row(), 1);

    ASSERT_TRUE(grid->moveToCell(0, col("first")));
    form.TzGrid1Enter();
    EXPECT_EQ(grid->currentIndex().column(), col("last"));

    // A typed armband that moves the record in the Armband order: Enter on its gate key
    // goes to the row after it in the new order.
    form.IndexClick("ARMBAND");
    const quint32 first = model->recNoAt(0);
    ASSERT_TRUE(grid->moveToCell(0, col("gatekey")));
    ASSERT_TRUE(type(form, 0, "armband", "9999"));
    form.TzGrid1Enter();
    EXPECT_EQ(armband(first).trimmed(), "9999");
    EXPECT_EQ(model->rowOf(first), 1);
    EXPECT_EQ(grid->currentIndex().row(), 1);   // the end: stays on the record
}

TEST_F(AddArmFormTest, UnnumberedRecordsAreReported)
{
    QList<quint32> dogs;
    for (int i = 0; i < 3; ++i)
        dogs << addDog(QString::number(i), "R", "12");
    TAddArmForm form(*dmod, 12);
    const auto veto = entries().onBeforePost([&](xbase::Table& t) { return t.recNo() != dogs[1]; });
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("Which Numbers do you want assigned?", "Armbands");
        dialogs.expectMessageContaining("Rec # 2");
        form.AutoAssignClick();
    }
    entries().detach(veto);
    EXPECT_EQ(armband(dogs[2]).trimmed(), "1203");
}

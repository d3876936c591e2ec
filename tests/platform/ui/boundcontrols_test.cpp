#include "dogtable.h"

#include "platform/system/errors.h"
#include "platform/ui/boundcheckbox.h"
#include "platform/ui/boundcombobox.h"
#include "platform/ui/bounddateedit.h"
#include "platform/ui/boundlineedit.h"
#include "platform/ui/boundmemo.h"
#include "platform/ui/boundspinbox.h"
#include "platform/ui/datasource.h"
#include "support/scripteddialogs.h"

#include <QCalendarWidget>
#include <gtest/gtest.h>

using xbase::Table;

namespace {

class BoundControls : public ::testing::Test
{
protected:
    ScriptedDialogs dialogs;
    DogTable dogs;
    Table& table = dogs.table;
    DataSource source{table};
};

TEST_F(BoundControls, TypingEntersEditAndThePostTakesTheTextWithoutLeavingTheEdit)
{
    BoundLineEdit name(&source, "NAME");
    EXPECT_EQ(name.text(), QString("Rex"));

    typeText(&name, "y");
    EXPECT_EQ(table.state(), Table::State::Edit);
    EXPECT_TRUE(name.isPending());
    EXPECT_EQ(table.trimmed("name"), QString("Rex"));   // still only in the control

    // A BeforePost handler attached before anyone typed already sees the new text.
    QString seenByBeforePost;
    table.onBeforePost([&](Table& t) {
        seenByBeforePost = t.trimmed("name");
        return true;
    });
    EXPECT_TRUE(table.post());
    EXPECT_EQ(seenByBeforePost, QString("Rexy"));
    EXPECT_EQ(dogs.stored(1, "name"), QString("Rexy"));
    EXPECT_FALSE(name.isPending());
}

TEST_F(BoundControls, MovingTheTableWritesAndPostsPendingText)
{
    BoundLineEdit name(&source, "name");
    bool modifiedBeforeMove = false;
    table.onBeforeNavigate([&](Table& t) {
        modifiedBeforeMove = t.isModified();   // "Data has been changed - Save it?" needs this
        return true;
    });
    typeText(&name, "!");
    ASSERT_TRUE(table.next());
    EXPECT_TRUE(modifiedBeforeMove);
    EXPECT_EQ(dogs.stored(1, "name"), QString("Rex!"));
    EXPECT_EQ(name.text(), QString("ace"));
}

TEST_F(BoundControls, AVetoedPostKeepsTheEditAndItsText)
{
    BoundLineEdit name(&source, "name");
    bool allow = false;
    table.onBeforePost([&](Table&) { return allow; });
    typeText(&name, "2");
    EXPECT_FALSE(table.post());
    EXPECT_EQ(table.state(), Table::State::Edit);
    EXPECT_EQ(name.text(), QString("Rex2"));
    EXPECT_FALSE(table.next());   // the auto-post is vetoed too: no move
    EXPECT_EQ(table.recNo(), 1u);
    EXPECT_EQ(dogs.stored(1, "name"), QString("Rex"));

    typeText(&name, "3");
    allow = true;
    EXPECT_TRUE(table.post());
    EXPECT_EQ(dogs.stored(1, "name"), QString("Rex23"));
}

TEST_F(BoundControls, CancelDropsPendingTextAndOtherFieldsLeaveItAlone)
{
    BoundLineEdit name(&source, "name");
    BoundLineEdit phone(&source, "phone");
    typeText(&name, "x");
    table.setText("phone", "555-000-1111");   // a handler writing another field
    EXPECT_EQ(name.text(), QString("Rexx"));
    EXPECT_EQ(phone.text(), QString("555-000-1111"));
    table.cancel();
    EXPECT_EQ(name.text(), QString("Rex"));
    EXPECT_EQ(phone.text(), QString("555-123-4567"));
    EXPECT_EQ(table.state(), Table::State::Browse);
}

TEST_F(BoundControls, TypingIsRefusedWhereNoEditIsPossible)
{
    BoundLineEdit name(&source, "name");
    table.setReadOnly(true);
    typeText(&name, "x");
    EXPECT_EQ(name.text(), QString("Rex"));
    EXPECT_EQ(table.state(), Table::State::Browse);
    table.setReadOnly(false);

    source.setAutoEdit(false);
    typeText(&name, "x");
    EXPECT_EQ(name.text(), QString("Rex"));
    source.setAutoEdit(true);

    table.setFilter([](const xbase::RecordView&) { return false; });
    table.first();   // nothing visible: no record to edit
    EXPECT_EQ(name.text(), QString());
    typeText(&name, "x");
    EXPECT_EQ(name.text(), QString());
    EXPECT_EQ(table.state(), Table::State::Browse);
}

TEST_F(BoundControls, TextThatDoesNotFitStopsThePostWithTheTablesMessage)
{
    BoundLineEdit pts(&source, "pts");
    typeText(&pts, "abc");
    EXPECT_THROW(table.post(), xbase::Error);
    EXPECT_EQ(table.state(), Table::State::Edit);
    pts.setText("12.5");
    EXPECT_TRUE(table.post());
    EXPECT_EQ(dogs.stored(1, "pts"), QString("12.50"));
    EXPECT_EQ(pts.text(), QString("12.50"));
}

TEST_F(BoundControls, UpperCaseEditStoresCapitals)
{
    BoundLineEdit name(&source, "name");
    name.setUpperCase(true);
    name.selectAll();
    typeText(&name, "ny");
    EXPECT_EQ(name.text(), QString("NY"));
    table.post();
    EXPECT_EQ(dogs.stored(1, "name"), QString("NY"));
}

TEST_F(BoundControls, CheckBoxClicksWriteTrueAndFalseAtOnce)
{
    BoundCheckBox ok("Worker", &source, "ok");
    EXPECT_FALSE(ok.isChecked());
    bool fieldSeenByClickHandler = false;
    QObject::connect(&ok, &QCheckBox::clicked, [&] { fieldSeenByClickHandler = table.toBool("ok"); });

    ok.click();
    EXPECT_EQ(table.state(), Table::State::Edit);
    EXPECT_TRUE(fieldSeenByClickHandler);
    EXPECT_EQ(table.text("ok"), QString("T"));
    ASSERT_TRUE(table.post());
    EXPECT_EQ(dogs.stored(1, "ok"), QString("T"));

    ok.click();
    table.post();
    EXPECT_EQ(dogs.stored(1, "ok"), QString("F"));

    table.setReadOnly(true);
    ok.click();
    EXPECT_FALSE(ok.isChecked());   // refused: shows the field again
}

TEST_F(BoundControls, DateEditTellsEmptyFromInvalidAndRefusesToStoreABadDate)
{
    BoundDateEdit born(&source, "born");
    EXPECT_TRUE(born.isEmpty());
    EXPECT_FALSE(born.date().isValid());

    typeText(&born, "12252024");
    EXPECT_EQ(table.state(), Table::State::Edit);
    EXPECT_FALSE(born.isEmpty());
    EXPECT_EQ(born.date(), QDate(2024, 12, 25));
    ASSERT_TRUE(table.post());
    EXPECT_EQ(dogs.stored(1, "born"), QString("20241225"));

    born.selectAll();
    typeText(&born, "13452024");
    EXPECT_FALSE(born.isEmpty());
    EXPECT_FALSE(born.hasValidDate());
    EXPECT_THROW(table.post(), AppError);
    EXPECT_EQ(table.state(), Table::State::Edit);

    born.selectAll();
    typeText(&born, "0101");   // part of a date is not a date
    EXPECT_FALSE(born.isEmpty());
    EXPECT_FALSE(born.hasValidDate());

    born.setDate(QDate());
    EXPECT_TRUE(born.isEmpty());
    ASSERT_TRUE(table.post());
    EXPECT_EQ(dogs.stored(1, "born"), QString());

    born.setDate(QDate(2005, 3, 4));
    table.next();
    EXPECT_EQ(dogs.stored(1, "born"), QString("20050304"));

    // Picking a day in the calendar is typing it.
    born.showCalendar();
    auto* calendar = born.findChild<QCalendarWidget*>();
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(calendar->isVisible());
    emit calendar->clicked(QDate(2019, 7, 1));
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(born.dateText(), QString("07/01/2019"));
    EXPECT_EQ(table.state(), Table::State::Edit);
    table.post();
    EXPECT_EQ(dogs.stored(2, "born"), QString("20190701"));
}

TEST_F(BoundControls, SpinBoxWritesEachStepAndCanRefuseTyping)
{
    BoundSpinBox runs(&source, "runs");
    runs.setRange(0, 2);
    runs.setTypingAllowed(false);
    EXPECT_EQ(runs.value(), 1);
    EXPECT_FALSE(runs.typingAllowed());
    typeText(&runs, "2");
    EXPECT_EQ(runs.value(), 1);
    EXPECT_EQ(table.state(), Table::State::Browse);

    runs.stepUp();
    EXPECT_EQ(table.state(), Table::State::Edit);
    EXPECT_EQ(table.toInt("runs"), 2);
    table.post();
    EXPECT_EQ(dogs.stored(1, "runs"), QString("2"));
    table.next();
    EXPECT_EQ(runs.value(), 2);
    table.next();
    EXPECT_EQ(runs.value(), 0);
}

TEST_F(BoundControls, MemoAndPickListReachTheirFields)
{
    BoundMemo notes(&source, "notes");
    BoundComboBox breed(&source, "name");
    breed.addItems({"Bo", "Rex", "Zip"});
    EXPECT_EQ(breed.currentText(), QString("Rex"));

    notes.setFocus();
    notes.insertPlainText("first line\nsecond line");
    EXPECT_EQ(table.state(), Table::State::Edit);
    breed.setCurrentIndex(2);
    emit breed.activated(2);   // the user picked "Zip"
    EXPECT_EQ(table.trimmed("name"), QString("Zip"));
    ASSERT_TRUE(table.post());
    table.next();
    table.first();
    EXPECT_EQ(table.text("notes"), QString("first line\nsecond line"));
    EXPECT_EQ(notes.toPlainText(), QString("first line\nsecond line"));
    EXPECT_EQ(breed.currentText(), QString("Zip"));

    breed.setEditable(true);
    breed.lineEdit()->selectAll();
    typeText(breed.lineEdit(), "Lab");
    table.post();
    EXPECT_EQ(dogs.stored(1, "name"), QString("Lab"));
}

TEST_F(BoundControls, DeletedRecordsTurnTheEditsPinkWhenTheWindowSaysSo)
{
    BoundLineEdit name(&source, "name");
    BoundCheckBox ok("ok", &source, "ok");
    const QColor normal = name.palette().color(QPalette::Base);
    table.setDeleted(true);
    EXPECT_EQ(name.palette().color(QPalette::Base), normal);   // switch is off

    source.setMarkDeleted(true);
    EXPECT_EQ(name.palette().color(QPalette::Base), QColor(255, 182, 193));
    table.next();
    EXPECT_EQ(name.palette().color(QPalette::Base), normal);
    table.prior();
    EXPECT_EQ(name.palette().color(QPalette::Base), QColor(255, 182, 193));
    table.setDeleted(false);
    EXPECT_EQ(name.palette().color(QPalette::Base), normal);
}

TEST_F(BoundControls, ControlsGoBlankWhenTheTableClosesOrTheSourceIsDisabled)
{
    BoundLineEdit name(&source, "name");
    BoundSpinBox runs(&source, "runs");
    source.setEnabled(false);
    EXPECT_EQ(name.text(), QString());
    typeText(&name, "x");
    EXPECT_EQ(table.state(), Table::State::Browse);
    source.setEnabled(true);
    EXPECT_EQ(name.text(), QString("Rex"));

    table.close();
    EXPECT_EQ(name.text(), QString());
    table.open(dogs.path);
    EXPECT_EQ(name.text(), QString("Rex"));
    EXPECT_EQ(runs.value(), 1);
}

TEST_F(BoundControls, AControlOutlivingItsSourceOrTheOtherWayRound)
{
    auto name = std::make_unique<BoundLineEdit>(&source, "name");
    {
        DataSource second(table);
        BoundLineEdit other(&second, "name");
        typeText(&other, "z");
    }   // the source goes first (its control's pending text with it), then the control
    EXPECT_TRUE(table.post());
    EXPECT_EQ(dogs.stored(1, "name"), QString("Rex"));
    name.reset();
    table.next();   // the source no longer calls the deleted control
    EXPECT_EQ(table.recNo(), 2u);
}

} // namespace

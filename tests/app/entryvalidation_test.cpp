#include "entryfixture.h"

#include "app/entryvalidation.h"
#include "entries/idvalidation.h"
#include "platform/ui/boundcombobox.h"
#include "platform/ui/boundlineedit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>

using State = xbase::Table::State;

namespace {

// The panel with the ID check joined to it, over the demo AGX tables, on a trial late
// enough for every demo dog to be of age.
class EntryValidationTest : public EntryFixture
{
protected:
    void SetUp() override
    {
        openTrial({{"12345C", {{"std", 2}}}}, QDate(2030, 6, 1));
        EntryValidation::attach(*panel, [this](const QString& field, const QString&, const QString&) {
            asked << field;
            return CompareChoice::UseAgx;
        });
        // The first demo dog with a height card of a regular height.
        dmod->OpenDogMaster();
        xbase::ScanCursor dogs = dmod->DogMaster.scan();
        for (bool more = dogs.first(); more && !dogs.eof(); more = dogs.next()) {
            const int pcard = dogs.text("perm_card").trimmed().toInt();
            if (panel->regularRadio(pcard) && !dogs.text("breed").trimmed().isEmpty()) {
                member = dogs.text("member_id");
                dog = dogs.text("dog_id");
                callName = dogs.text("call_name").trimmed();
                breed = dogs.text("breed").trimmed();
                height = pcard;
                break;
            }
        }
        ASSERT_FALSE(member.isEmpty());
    }

    // Types into the ID field and leaves it.
    void leaveId(const QString& typed)
    {
        auto* id = panel->findChild<BoundLineEdit*>("TzEdit1");
        id->setText(typed);
        emit id->textEdited(typed);   // as if typed
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(id, &out);
    }

    void enterField(const char* objectName)
    {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(panel->findChild<QWidget*>(objectName), &in);
    }

    // The ID as typed the short way: "12-3".
    QString shortId() const { return QString::number(member.toInt()) + "-" + QString::number(dog.toInt()); }

    QStringList asked;
    QString member, dog, callName, breed;
    int height = 0;
};

TEST_F(EntryValidationTest, LeavingTheIdFieldFillsTheEntryAndFindsItAgain)
{
    ScriptedDialogs dialogs;
    panel->AddBtnClick();
    leaveId(shortId());
    EXPECT_EQ(state(), State::Insert);
    EXPECT_EQ(field("mem_dog_id"), member + "-" + dog);
    EXPECT_EQ(field("call_name").trimmed(), callName);
    EXPECT_EQ(panel->loadedBreed(), breed);
    EXPECT_EQ(panel->loadedRegularHeight(), height);
    EXPECT_TRUE(panel->regularRadio(height)->isChecked());
    EXPECT_TRUE(panel->categoryRadio(entry::Category::Regular)->isChecked());
    EXPECT_EQ(field("ht_cat"), "R");
    EXPECT_FALSE(field("last").trimmed().isEmpty());
    EXPECT_TRUE(asked.isEmpty());   // no own copy of the member
    ASSERT_TRUE(panel->SaveBtnClick());

    // The same dog again: the entry made is found instead.
    dialogs.expectMessage(TIdValidation::entryFoundText());
    panel->AddBtnClick();
    leaveId(member + "-" + dog);
    EXPECT_EQ(dialogs.messages().last().title, "Entry Found!");
    EXPECT_EQ(state(), State::Browse);
    EXPECT_EQ(dmod->TzDbf1.recordCount(), 1u);
    EXPECT_EQ(dmod->TzDbf1.recNo(), 1u);

    // Leaving the ID of that record under Edit keeps the edit.
    panel->EditBtnClick();
    leaveId(member + "-" + dog);
    EXPECT_EQ(state(), State::Edit);
}

TEST_F(EntryValidationTest, SavesWithTheMarksWriteUpdatesAndTheOwnCopy)
{
    ScriptedDialogs dialogs;
    panel->AddBtnClick();
    leaveId(shortId());
    enterField("AddressEdit");   // sets the member-data mark without a change
    auto* list = panel->findChild<BoundComboBox*>("BreedPickList");
    panel->showBreedPickList();
    list->setEditText("Sheltie Mix");
    emit list->lineEdit()->textEdited("Sheltie Mix");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(list, &out);
    EXPECT_TRUE(panel->breedChangedMark());
    EXPECT_TRUE(panel->memberDataMark());
    ASSERT_TRUE(panel->SaveBtnClick());

    dmod->OpenUpdates();
    xbase::Table& u = dmod->Updates;
    ASSERT_EQ(u.recordCount(), 2u);
    ASSERT_TRUE(u.seek(member + dog));
    EXPECT_TRUE(u.toBool("breed_chg"));
    EXPECT_EQ(u.text("breed").trimmed(), "Sheltie Mix");
    xbase::Table& mine = dmod->MyMembers;
    ASSERT_EQ(mine.recordCount(), 1u);
    mine.first();
    EXPECT_EQ(mine.text("member_id"), member);
    EXPECT_EQ(mine.toDate("modified"), QDate::currentDate());

    // A second save with an address change: the member's row is updated, not added.
    panel->EditBtnClick();
    enterField("AddressEdit");
    dmod->TzDbf1.setText("address", "40 Birch Court");
    ASSERT_TRUE(panel->SaveBtnClick());
    EXPECT_EQ(u.recordCount(), 2u);
    u.setCurrentTag(QString());
    int memberRows = 0;
    for (bool more = u.first(); more && !u.eof(); more = u.next())
        if (u.toBool("member_chg")) {
            ++memberRows;
            EXPECT_EQ(u.text("address").trimmed(), "40 Birch Court");
        }
    EXPECT_EQ(memberRows, 1);
    EXPECT_EQ(mine.recordCount(), 1u);
    mine.first();
    EXPECT_EQ(mine.text("address").trimmed(), "40 Birch Court");
}

} // namespace

// Saving straight from the ID field, by mouse (the button takes the focus) or from the
// keyboard (PgDn, Alt+S: the focus stays), must check the typed ID first; Cancel must not.
TEST_F(EntryValidationTest, SavingFromTheIdFieldChecksTheIdFirst)
{
    enum class Way { ClickSave, KeyboardSave, ClickCancel };
    for (const Way way : {Way::ClickSave, Way::KeyboardSave, Way::ClickCancel}) {
        SCOPED_TRACE(static_cast<int>(way));
        ScriptedDialogs dialogs;
        panel->show();
        QApplication::setActiveWindow(panel.get());
        panel->AddBtnClick();
        auto* id = panel->findChild<BoundLineEdit*>("TzEdit1");
        ASSERT_TRUE(id->hasFocus());
        id->setText("pending");
        emit id->textEdited("pending");
        panel->regularRadio(16)->setChecked(true);   // Save would otherwise stop at the height

        if (way != Way::ClickCancel)
            dialogs.expectMessage(TIdValidation::pendingText());
        if (way == Way::KeyboardSave) {
            EXPECT_FALSE(panel->SaveBtnClick());
        } else {
            // Through the window, as a real click arrives: that is where the focus moves.
            QWidget* button = panel->button(way == Way::ClickSave ? "SaveBtn" : "CancelBtn");
            QApplication::processEvents();
            QTest::mouseClick(panel->windowHandle(), Qt::LeftButton, {},
                              button->mapTo(panel.get(), button->rect().center()));
        }
        EXPECT_EQ(state(), State::Browse);
        EXPECT_EQ(dmod->TzDbf1.recordCount(), 0u) << "nothing written under an unchecked ID";
    }
}

#include "platform/ui/datagrid.h"
#include "platform/ui/navigator.h"
#include "setup/levgroupform.h"
#include "setup/runorderform.h"
#include "setup/setupmenu.h"
#include "setupfixture.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>

#include <memory>

namespace {

const QDate kFirst(2004, 6, 5);

class LevGroupFormTest : public SetupFixture
{
protected:
    std::unique_ptr<TLevGroupForm> openForm()
    {
        auto form = std::make_unique<TLevGroupForm>(*dmod, 12);
        form->show();   // activation builds the rows and shows day 1
        QCoreApplication::processEvents();
        return form;
    }

    static QString cell(const TLevGroupForm& form, int row, int column)
    {
        return form.grid()->model()->index(row, column).data().toString().trimmed();
    }

    static void press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(target, &event);
    }

    // Types text into a cell as the grid's editor would hand it over.
    static void type(TLevGroupForm& form, int row, int column, const QString& text)
    {
        ASSERT_TRUE(form.grid()->moveToCell(row, column));
        ASSERT_TRUE(form.grid()->tableModel()->beginEdit(row));
        ASSERT_TRUE(form.grid()->model()->setData(form.grid()->model()->index(row, column), text));
    }

    QString stored(const QString& key, const char* field)
    {
        xbase::ScanCursor c = dmod->LevGroup.scan();
        c.setCurrentTag("LEVKEY");
        return c.seek(key) ? c.trimmed(field) : QStringLiteral("<none>");
    }
};

} // namespace

TEST_F(LevGroupFormTest, OpensWithATabPerDayAndTheFirstDaysRows)
{
    defineTrial(12, kFirst,
                {{"12345C", {{"std", 2}, {"jump", 1}}}, {"345", {{"full", 1}}}, {"1", {{"snok", 1}}}, {"C", {{"jack", 1}}}});
    ScriptedDialogs dialogs;
    auto form = openForm();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Define Level Groupings"));
    EXPECT_TRUE(form->panelsShown());
    ASSERT_EQ(form->dayTabs()->count(), 4);
    const char* captions[] = {"Day 1 - 06/05/2004", "Day 2 - 06/06/2004", "Day 3 - 06/07/2004", "Day 4 - 06/08/2004"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(form->dayTabs()->tabText(i), QString::fromLatin1(captions[i]));

    QAbstractItemModel* model = form->grid()->model();
    QStringList titles;
    for (int c = 0; c < model->columnCount(); ++c)
        titles << model->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"classname", "round", "available", "group_a", "group_b", "group_c", "group_d"}));
    ASSERT_EQ(model->rowCount(), 3);
    // In LEVKEY order: day, run, class.
    EXPECT_EQ(cell(*form, 1, 0) + cell(*form, 1, 1) + cell(*form, 1, 2), QStringLiteral("Standard112345C"));
    EXPECT_EQ(cell(*form, 2, 0) + cell(*form, 2, 1), QStringLiteral("Standard2"));

    form->dayTabs()->setCurrentIndex(1);
    EXPECT_EQ(form->day(), 2);
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(cell(*form, 0, 0) + cell(*form, 0, 2), QStringLiteral("FullHouse345"));
    EXPECT_TRUE(form->editButton()->isEnabled());
    EXPECT_FALSE(form->saveButton()->isEnabled());
    EXPECT_TRUE(form->instructions().endsWith("Level S is no longer valid"));
}

TEST_F(LevGroupFormTest, TypedGroupsAreCheckedWhenTheRowIsSaved)
{
    defineTrial(12, kFirst, {{"12345C", {{"std", 1}, {"jump", 1}}}});
    ScriptedDialogs dialogs;
    auto form = openForm();
    type(*form, 0, 4, "45cs");
    EXPECT_TRUE(form->saveButton()->isEnabled());
    EXPECT_FALSE(form->editButton()->isEnabled());
    dialogs.expectMessage("Level S no longer valid - removing");
    press(form->grid(), Qt::Key_Return);   // leaving the column saves the row
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(stored("11Jumpers", "group_b"), QStringLiteral("45C"));   // row 0: Jumpers before Standard
    EXPECT_EQ(cell(*form, 0, 4), QStringLiteral("45C"));
    EXPECT_EQ(form->grid()->currentIndex().column(), 5);

    // Enter runs on from the last column into the next row, Shift+Enter back again.
    ASSERT_TRUE(form->grid()->moveToCell(0, 6));
    press(form->grid(), Qt::Key_Return);
    EXPECT_EQ(form->grid()->currentIndex().row(), 1);
    EXPECT_EQ(form->grid()->currentIndex().column(), 0);
    press(form->grid(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(form->grid()->currentIndex().row(), 0);
    EXPECT_EQ(form->grid()->currentIndex().column(), 6);
}

TEST_F(LevGroupFormTest, ButtonsEditSaveAndCancel)
{
    defineTrial(12, kFirst, {{"12345C", {{"std", 1}}}});
    ScriptedDialogs dialogs;
    auto form = openForm();
    form->editButton()->click();
    EXPECT_TRUE(form->cancelButton()->isEnabled());
    type(*form, 0, 3, "12");
    form->cancelButton()->click();
    EXPECT_EQ(stored("11Standard", "group_a"), QString());
    EXPECT_EQ(cell(*form, 0, 3), QString());
    EXPECT_TRUE(form->editButton()->isEnabled());

    type(*form, 0, 3, "12s");
    dialogs.expectMessage("Level S no longer valid - removing");
    form->saveButton()->click();
    EXPECT_EQ(stored("11Standard", "group_a"), QStringLiteral("12"));
    EXPECT_FALSE(form->saveButton()->isEnabled());
}

TEST_F(LevGroupFormTest, ChangingTheDaySavesTheRowBeingTyped)
{
    defineTrial(12, kFirst, {{"12345C", {{"std", 1}}}, {"12345C", {{"jump", 1}}}});
    ScriptedDialogs dialogs;
    auto form = openForm();
    type(*form, 0, 6, "12345c");
    form->dayTabs()->setCurrentIndex(1);
    EXPECT_EQ(stored("11Standard", "group_d"), QStringLiteral("12345C"));
    EXPECT_EQ(cell(*form, 0, 0), QStringLiteral("Jumpers"));
}

TEST_F(LevGroupFormTest, ReopeningAfterTheDaysChangedAsksForAVerify)
{
    defineTrial(12, kFirst, {{"12345C", {{"std", 1}}}});
    {
        ScriptedDialogs dialogs;
        auto form = openForm();
        type(*form, 0, 3, "1");
        form->CloseButtonClick();   // the row being typed is saved on the way out
    }
    EXPECT_EQ(stored("11Standard", "group_a"), QStringLiteral("1"));
    defineTrial(12, kFirst, {{"12345C", {{"std", 1}, {"clrs", 1}}}});
    ScriptedDialogs dialogs;
    dialogs.expectMessage("Available Classes or Runs have changed!!;;You must Verify the Groupings;");
    auto form = openForm();
    EXPECT_EQ(form->grid()->model()->rowCount(), 2);
    EXPECT_EQ(cell(*form, 0, 0) + cell(*form, 0, 3), QStringLiteral("Colors"));
    EXPECT_EQ(cell(*form, 1, 0) + cell(*form, 1, 3), QStringLiteral("Standard1"));
    form->CloseButtonClick();
    // Closed: no filter left, and the row check no longer runs.
    EXPECT_FALSE(dmod->LevGroup.hasFilter());
    dmod->LevGroup.setText("group_c", "s");
    EXPECT_TRUE(dmod->LevGroup.post());
}

TEST_F(LevGroupFormTest, MenuItemsSettleTheTrialBeforeAWindowOpens)
{
    defineTrial(12, kFirst, {{"12345C", {{"std", 1}}}});
    {
        ScriptedDialogs dialogs;
        dialogs.expectInput("Enter the Show Number: ", "9");
        dialogs.expectMessage("That Show hasn't been defined - check the number");
        setup::LevelGroupingsMenuClick(*dmod, 0, nullptr);
        dialogs.expectMessage("You must Define the Level Groupings first");
        setup::RunningOrderMenuClick(*dmod, 12, nullptr);
    }
    // With groups in place the running order opens, for the trial typed in.
    groupedTrial();
    ScriptedDialogs dialogs;
    dialogs.expectInput("Enter the Show Number: ", "12");
    QString opened;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = modal->metaObject()->className();
            modal->close();
        }
    });
    setup::RunningOrderMenuClick(*dmod, 0, nullptr);
    EXPECT_EQ(opened, QStringLiteral("TRunOrderForm"));
}

#include "support/scripteddialogs.h"
#include "setup/runorderbox.h"
#include "setup/runorderform.h"
#include "setupfixture.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTabBar>

#include <memory>

using setup::RunOrderRow;

namespace {

const QString kSave = QStringLiteral(" Save your Changes?");

class RunOrderFormTest : public SetupFixture
{
protected:
    std::unique_ptr<TRunOrderForm> openForm()
    {
        auto form = std::make_unique<TRunOrderForm>(*dmod, 12);
        form->show();   // activation builds the tables and shows day 1
        QCoreApplication::processEvents();   // lets the layout place the tabs
        return form;
    }

    // A drag from row of source dropped on target over targetRow (nothing: below the
    // last item), through the events the mouse sends.
    static void drag(RunOrderBox* source, int row, RunOrderBox* target, std::optional<int> targetRow)
    {
        const std::unique_ptr<QMimeData> data(source->dragData(row));
        QPoint at;
        if (targetRow) {
            at = target->visualItemRect(target->item(*targetRow)).center();
        } else {
            const int bottom = target->count() ? target->visualItemRect(target->item(target->count() - 1)).bottom() : 0;
            at = QPoint(10, bottom + 6);
            ASSERT_LT(at.y(), target->viewport()->height());
        }
        QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target->viewport(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target->viewport(), &move);
        QDropEvent drop(QPointF(at), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target->viewport(), &drop);
    }

    static QStringList items(const RunOrderBox* box)
    {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list << box->item(i)->text();
        return list;
    }

    QList<RunOrderRow> stored()
    {
        dmod->OpenRunOrder("00012");
        return setup::readRunOrderRows(dmod->RunOrder);
    }
};

} // namespace

TEST_F(RunOrderFormTest, OpensOnDayOneWithATabPerDay)
{
    groupedTrial(2);
    ScriptedDialogs dialogs;
    auto form = openForm();
    EXPECT_TRUE(form->panelsShown());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("RunOrderForm"));
    ASSERT_EQ(form->dayTabs()->count(), 2);
    EXPECT_EQ(form->dayTabs()->tabText(0), QStringLiteral("Day 1 - 06/05/2004"));
    EXPECT_EQ(form->dayTabs()->tabText(1), QStringLiteral("Day 2 - 06/06/2004"));
    EXPECT_EQ(form->classBox(0)->count(), 6);
    EXPECT_EQ(items(form->heightBox(3)), (QStringList{" 4", " 8", "12", "16", "20", "24"}));
    EXPECT_FALSE(form->saveButton()->isEnabled());
    EXPECT_FALSE(form->cancelButton()->isEnabled());
}

TEST_F(RunOrderFormTest, WithoutGroupsThePanelsStayHidden)
{
    groupedTrial();
    setGroups("11Jumpers", {});
    ScriptedDialogs dialogs;
    dialogs.expectMessage("Some Classes have not been assigned Level Groups;;Go To  Tasks/Define Level Groups  from Main Screen");
    auto form = openForm();
    EXPECT_FALSE(form->panelsShown());
    EXPECT_FALSE(dmod->RunOrder.isOpen() && !dmod->RunOrder.isEmpty());
}

TEST_F(RunOrderFormTest, DraggedItemsAreSavedInBoxOrder)
{
    groupedTrial();
    ScriptedDialogs dialogs;
    auto form = openForm();
    const QStringList six = items(form->classBox(0));
    for (int i = 0; i < 3; ++i)
        drag(form->classBox(0), 1, form->classBox(2), 0);
    EXPECT_EQ(items(form->classBox(2)), six.mid(1, 3));
    EXPECT_EQ(form->classBox(2)->currentRow(), 2);
    EXPECT_TRUE(form->changed());
    EXPECT_TRUE(form->saveButton()->isEnabled());
    form->saveButton()->click();
    EXPECT_FALSE(form->changed());
    EXPECT_FALSE(form->saveButton()->isEnabled());
    form->CloseButtonClick();
    EXPECT_FALSE(dmod->RunOrder.isOpen());   // the window's tables go with it

    QStringList places;
    for (const RunOrderRow& r : stored())
        places << r.levels + ":" + r.ring + r.srtKey;
    EXPECT_EQ(places, (QStringList{"1:001", "12:002", "345C:003", "2:201", "3:202", "45C:203"}));
}

TEST_F(RunOrderFormTest, DropsWithinABox)
{
    groupedTrial();
    ScriptedDialogs dialogs;
    auto form = openForm();
    const QStringList six = items(form->classBox(0));
    drag(form->classBox(0), 0, form->classBox(0), std::nullopt);
    EXPECT_EQ(items(form->classBox(0)), six.mid(1) + six.mid(0, 1));
    EXPECT_EQ(form->classBox(0)->currentRow(), 5);
    drag(form->classBox(0), 5, form->classBox(0), 1);
    EXPECT_EQ(items(form->classBox(0)).value(1), six[0]);

    // Heights move within their own box only.
    drag(form->heightBox(1), 5, form->heightBox(1), 0);
    EXPECT_EQ(items(form->heightBox(1)).value(0), QStringLiteral("24"));
    drag(form->heightBox(1), 0, form->heightBox(2), 0);
    drag(form->heightBox(1), 0, form->classBox(1), std::nullopt);
    drag(form->classBox(0), 0, form->heightBox(1), 0);
    EXPECT_EQ(form->heightBox(1)->count(), 6);
    EXPECT_EQ(form->heightBox(2)->count(), 6);
    EXPECT_EQ(form->classBox(1)->count(), 0);
}

TEST_F(RunOrderFormTest, ButtonsMoveAllAndFlip)
{
    groupedTrial();
    ScriptedDialogs dialogs;
    auto form = openForm();
    form->MoveAllButtonClick();
    EXPECT_EQ(form->classBox(0)->count(), 0);
    EXPECT_EQ(form->classBox(1)->count(), 6);
    form->FlipButtonClick(2);
    EXPECT_EQ(items(form->heightBox(2)), (QStringList{"24", "20", "16", "12", " 8", " 4"}));
    form->CancelButtonClick();
    EXPECT_FALSE(form->changed());
    EXPECT_EQ(form->classBox(0)->count(), 6);
    EXPECT_EQ(items(form->heightBox(2)).value(0), QStringLiteral(" 4"));
}

TEST_F(RunOrderFormTest, ClosingWithUnsavedMovesAsks)
{
    groupedTrial();
    const QList<RunOrderRow> before = [&] {
        ScriptedDialogs dialogs;
        auto form = openForm();
        form->CloseButtonClick();
        return stored();
    }();
    {
        SCOPED_TRACE("No writes nothing");
        ScriptedDialogs dialogs;
        auto form = openForm();
        form->MoveAllButtonClick();
        dialogs.expectMessage(kSave, "No");
        form->CloseButtonClick();
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(stored(), before);
    }
    {
        SCOPED_TRACE("Yes saves the day");
        ScriptedDialogs dialogs;
        auto form = openForm();
        form->MoveAllButtonClick();
        dialogs.expectMessage(kSave, "Yes");
        form->close();   // the window's close box takes the same way
        EXPECT_FALSE(form->isVisible());
        for (const RunOrderRow& r : stored())
            EXPECT_EQ(r.ring, QStringLiteral("1"));
    }
}

TEST_F(RunOrderFormTest, ChangingTheDayAsksBeforeMovesAreLost)
{
    groupedTrial(2);
    ScriptedDialogs dialogs;
    auto form = openForm();
    form->MoveAllButtonClick();
    dialogs.expectMessage(kSave, "Yes");
    form->dayTabs()->setCurrentIndex(1);
    EXPECT_EQ(form->day(), 2);
    EXPECT_FALSE(form->changed());
    EXPECT_EQ(form->classBox(0)->count(), 6);   // day 2 as stored

    form->FlipButtonClick(1);
    dialogs.expectMessage(kSave, "No");
    form->dayTabs()->setCurrentIndex(0);
    EXPECT_EQ(form->day(), 1);
    EXPECT_FALSE(form->changed());
    EXPECT_EQ(form->classBox(1)->count(), 6);   // day 1 was saved on the way out
    form->CloseButtonClick();                    // nothing to ask

    int flippedDay2 = 0;
    dmod->OpenJumpHts("00012");
    xbase::ScanCursor c = dmod->JumpHts.scan();
    for (c.first(); !c.eof(); c.next())
        if (c.text("day_num") == "2" && c.text("ht_key") == "1" && c.text("jump_ht") == "24")
            ++flippedDay2;
    EXPECT_EQ(flippedDay2, 0);
}

TEST_F(RunOrderFormTest, Screenshot)
{
    groupedTrial(2);
    ScriptedDialogs dialogs;
    auto form = openForm();
    for (int i = 0; i < 3; ++i)
        drag(form->classBox(0), 0, form->classBox(1), std::nullopt);
    for (int i = 0; i < 2; ++i)
        drag(form->classBox(0), 0, form->classBox(2), std::nullopt);
    form->FlipButtonClick(2);
    const QPixmap shot = form->grab();
    EXPECT_GT(form->dayTabs()->height(), 10) << form->dayTabs()->isVisible();
    EXPECT_FALSE(shot.isNull());
    const QString folder = qEnvironmentVariable("VELMORA_SCREENSHOTS");
    if (!folder.isEmpty())
        shot.save(QDir(folder).filePath("runorderform.png"));
}

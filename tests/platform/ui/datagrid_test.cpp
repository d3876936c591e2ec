#include "dogtable.h"

#include "platform/ui/datagrid.h"
#include "platform/ui/datasource.h"
#include "support/scripteddialogs.h"

#include <QHeaderView>
#include <QLineEdit>
#include <gtest/gtest.h>

using xbase::Table;

namespace {

class Grid : public ::testing::Test
{
protected:
    Grid()
    {
        grid.setColumns({{"name", "Dog"}, {"runs", "", 0, true}, {"phone"}});
        grid.resize(500, 300);
        grid.show();
    }

    std::vector<quint32> rows() const
    {
        std::vector<quint32> out;
        for (int r = 0; r < grid.tableModel()->rowCount(); ++r)
            out.push_back(grid.tableModel()->recNoAt(r));
        return out;
    }
    // The records the table itself visits from first to eof.
    std::vector<quint32> walk()
    {
        std::vector<quint32> out;
        for (table.first(); !table.eof(); table.next())
            out.push_back(table.recNo());
        table.first();
        return out;
    }
    QString cell(int row, int column) const
    {
        return grid.tableModel()->index(row, column).data().toString();
    }
    QLineEdit* openEditor() const { return grid.viewport()->findChild<QLineEdit*>(); }

    ScriptedDialogs dialogs;
    DogTable dogs;
    Table& table = dogs.table;
    DataSource source{table};
    DataGrid grid{source};
};

TEST_F(Grid, RowsAreTheVisibleRecordsOfTheCurrentOrder)
{
    EXPECT_EQ(rows(), (std::vector<quint32>{1, 2, 3, 4, 5}));
    EXPECT_EQ(cell(1, 0), QString("ace"));
    EXPECT_EQ(grid.tableModel()->headerData(0, Qt::Horizontal).toString(), QString("Dog"));
    EXPECT_EQ(grid.tableModel()->headerData(1, Qt::Horizontal).toString(), QString("runs"));

    table.setCurrentTag("name");
    grid.refresh();
    EXPECT_EQ(rows(), walk());
    EXPECT_EQ(rows(), (std::vector<quint32>{2, 3, 5, 1, 4}));

    table.setFilter("runs > 0");
    grid.refresh();
    EXPECT_EQ(rows(), walk());
    EXPECT_EQ(rows(), (std::vector<quint32>{2, 5, 1, 4}));
    EXPECT_EQ(grid.tableModel()->rowOf(3), -1);

    // Hidden deletes drop out at once; the order stays the tag's.
    table.setShowDeleted(false);
    table.go(5);
    table.setDeleted(true);
    EXPECT_EQ(rows(), walk());
    EXPECT_EQ(rows(), (std::vector<quint32>{2, 1, 4}));
}

TEST_F(Grid, TheCurrentRowAndTheTableMoveTogether)
{
    table.setCurrentTag("name");
    grid.refresh();
    int scrolls = 0;
    table.onAfterScroll([&](Table&) { ++scrolls; });

    EXPECT_TRUE(grid.moveToCell(2, 0));
    EXPECT_EQ(table.recNo(), 5u);   // Max
    EXPECT_EQ(scrolls, 1);

    table.last();
    EXPECT_EQ(grid.currentIndex().row(), 4);
    table.seek("BO");
    EXPECT_EQ(grid.currentIndex().row(), 1);
}

TEST_F(Grid, AKeyPressStartsEditingAndLeavingTheRowPosts)
{
    grid.moveToCell(0, 0);
    grid.setFocus();
    pressKey(&grid, Qt::Key_Z, Qt::ShiftModifier, "Z");
    EXPECT_EQ(table.state(), Table::State::Edit);
    QLineEdit* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QString("Z"));

    EXPECT_TRUE(grid.moveToCell(1, 0));
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(dogs.stored(1, "name"), QString("Z"));
    EXPECT_EQ(table.recNo(), 2u);
    EXPECT_EQ(cell(0, 0), QString("Z"));
}

TEST_F(Grid, LeavingTheColumnPosts)
{
    grid.moveToCell(3, 2);
    grid.edit(grid.currentIndex());
    ASSERT_NE(openEditor(), nullptr);
    openEditor()->setText("555-777-8888");
    EXPECT_TRUE(grid.moveToCell(3, 0));
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(dogs.stored(4, "phone"), QString("555-777-8888"));
}

TEST_F(Grid, ARefusedPostKeepsTheCellAndTheRecord)
{
    bool allow = false;
    table.onBeforePost([&](Table&) { return allow; });
    grid.moveToCell(0, 0);
    grid.edit(grid.currentIndex());
    openEditor()->setText("Nope");
    EXPECT_FALSE(grid.moveToCell(2, 0));
    EXPECT_EQ(grid.currentIndex(), grid.tableModel()->index(0, 0));
    EXPECT_EQ(table.recNo(), 1u);
    EXPECT_EQ(table.state(), Table::State::Edit);
    EXPECT_EQ(cell(0, 0), QString("Nope"));   // the row shows the buffer

    allow = true;
    EXPECT_TRUE(grid.moveToCell(2, 0));
    EXPECT_EQ(dogs.stored(1, "name"), QString("Nope"));
}

TEST_F(Grid, APostThatChangesTheKeyKeepsTheRowOnItsRecord)
{
    table.setCurrentTag("name");
    grid.refresh();
    grid.moveToCell(0, 0);   // ace
    grid.edit(grid.currentIndex());
    openEditor()->setText("Zulu");
    EXPECT_TRUE(grid.moveToCell(0, 2));   // leaving the column posts; ace moves to the end
    EXPECT_EQ(rows(), (std::vector<quint32>{3, 5, 1, 4, 2}));
    EXPECT_EQ(grid.currentIndex().row(), 4);
    EXPECT_EQ(grid.currentIndex().column(), 2);
    EXPECT_EQ(table.recNo(), 2u);
}

TEST_F(Grid, NeverAppendsARow)
{
    grid.moveToCell(4, 0);
    grid.setFocus();
    pressKey(&grid, Qt::Key_Down);
    pressKey(&grid, Qt::Key_PageDown);
    EXPECT_EQ(grid.currentIndex().row(), 4);
    EXPECT_EQ(table.recNo(), 5u);
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(table.recordCount(), 5u);
    EXPECT_EQ(grid.tableModel()->rowCount(), 5);

    // A record appended elsewhere shows up as a row.
    table.append();
    table.setText("name", "New");
    table.post();
    EXPECT_EQ(grid.tableModel()->rowCount(), 6);
    EXPECT_EQ(grid.currentIndex().row(), 5);
}

TEST_F(Grid, ReadOnlyColumnsAndGridOpenNoEditor)
{
    grid.moveToCell(0, 1);   // runs is read-only
    grid.setFocus();
    pressKey(&grid, Qt::Key_7, Qt::NoModifier, "7");
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(openEditor(), nullptr);

    grid.setReadOnly(true);
    grid.moveToCell(0, 0);
    pressKey(&grid, Qt::Key_A, Qt::NoModifier, "a");
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_FALSE(grid.tableModel()->flags(grid.currentIndex()) & Qt::ItemIsEditable);
}

TEST_F(Grid, EscapeCancelsTheRecordsChanges)
{
    grid.moveToCell(1, 0);
    grid.edit(grid.currentIndex());
    openEditor()->setText("Gone");
    pressKey(openEditor(), Qt::Key_Return);   // written into the buffer, not posted
    EXPECT_EQ(table.trimmed("name"), QString("Gone"));
    EXPECT_EQ(table.state(), Table::State::Edit);
    grid.setFocus();
    pressKey(&grid, Qt::Key_Escape);
    EXPECT_EQ(table.state(), Table::State::Browse);
    EXPECT_EQ(cell(1, 0), QString("ace"));
}

TEST_F(Grid, EnterMovesWhereTheWindowSays)
{
    grid.setEnterHandler([this](bool backward) {
        if (!grid.stepCell(backward))
            QApplication::beep();
    });
    grid.moveToCell(0, 1);
    grid.setFocus();
    pressKey(&grid, Qt::Key_Return);
    EXPECT_EQ(grid.currentIndex(), grid.tableModel()->index(0, 2));
    pressKey(&grid, Qt::Key_Return);   // last column: first column of the next row
    EXPECT_EQ(grid.currentIndex(), grid.tableModel()->index(1, 0));
    EXPECT_EQ(table.recNo(), 2u);
    pressKey(&grid, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(grid.currentIndex(), grid.tableModel()->index(0, 2));

    // Enter inside an open cell writes it, then moves on.
    grid.moveToCell(2, 0);
    grid.edit(grid.currentIndex());
    QLineEdit* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    editor->setText("Boo");
    pressKey(editor, Qt::Key_Return);
    EXPECT_EQ(grid.currentIndex(), grid.tableModel()->index(2, 1));
    EXPECT_EQ(dogs.stored(3, "name"), QString("Boo"));   // leaving the column posted

    // The order shown counts, not the model's.
    grid.horizontalHeader()->moveSection(2, 0);   // phone, name, runs
    grid.moveToCell(3, 1);   // runs, shown last
    pressKey(&grid, Qt::Key_Return);
    EXPECT_EQ(grid.currentIndex(), grid.tableModel()->index(4, 2));   // phone, shown first
    grid.moveToCell(4, 1);
    EXPECT_FALSE(grid.stepCell(false));
}

TEST_F(Grid, RowAndCellColoursComeFromTheCallbacks)
{
    grid.tableModel()->setRowColour([](const xbase::RecordView& r) {
        return r.toInt("runs") == 2 ? QColor(Qt::yellow) : QColor();
    });
    grid.tableModel()->setCellColour([](const xbase::RecordView& r, int column) {
        return column == 1 && r.toInt("runs") == 0 ? QColor(Qt::cyan) : QColor();
    });
    const auto background = [&](int row, int column) {
        return grid.tableModel()->index(row, column).data(Qt::BackgroundRole).value<QBrush>().color();
    };
    EXPECT_EQ(background(1, 0), QColor(Qt::yellow));
    EXPECT_EQ(background(1, 1), QColor(Qt::yellow));
    EXPECT_EQ(background(2, 1), QColor(Qt::cyan));
    EXPECT_FALSE(grid.tableModel()->index(0, 0).data(Qt::BackgroundRole).isValid());

    // And they are what the grid paints.
    const QImage painted = grid.viewport()->grab().toImage();
    const auto pixel = [&](int row, int column) {
        const QRect cell = grid.visualRect(grid.tableModel()->index(row, column));
        return QColor(painted.pixel(cell.right() - 3, cell.top() + 3));
    };
    EXPECT_EQ(pixel(3, 0), QColor(Qt::yellow));
    EXPECT_EQ(pixel(2, 1), QColor(Qt::cyan));
    EXPECT_NE(pixel(2, 0), QColor(Qt::yellow));

    // The row being edited is coloured by its buffer.
    table.go(1);
    table.setInt("runs", 2);
    EXPECT_EQ(background(0, 0), QColor(Qt::yellow));
}

TEST_F(Grid, FollowsPackZapAndReopen)
{
    table.go(2);
    table.setDeleted(true);
    table.pack();
    EXPECT_EQ(grid.tableModel()->rowCount(), 4);
    EXPECT_EQ(cell(1, 0), QString("Bo"));
    table.close();
    EXPECT_EQ(grid.tableModel()->rowCount(), 0);
    table.open(dogs.path);
    EXPECT_EQ(grid.tableModel()->rowCount(), 4);
    table.zap();
    EXPECT_EQ(grid.tableModel()->rowCount(), 0);
}

TEST(GridSource, AGridMayOutliveItsDataSource)
{
    ScriptedDialogs dialogs;
    DogTable dogs;
    auto source = std::make_unique<DataSource>(dogs.table);
    DataGrid grid(*source);
    grid.setColumns({{"name"}});
    EXPECT_EQ(grid.tableModel()->rowCount(), 5);
    source.reset();
    EXPECT_EQ(grid.tableModel()->rowCount(), 0);
    EXPECT_EQ(grid.tableModel()->table(), nullptr);
    dogs.table.last();   // the table no longer reaches the grid
    pressKey(&grid, Qt::Key_Escape);
}

} // namespace

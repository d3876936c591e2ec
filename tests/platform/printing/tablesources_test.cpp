#include "platform/printing/recordingcanvas.h"
#include "platform/printing/tablesources.h"
#include "platform/xbase/table.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace {

void makeOwners(xbase::Table& table, const QString& path)
{
    xbase::Table::create(path, {{"FIRST", 'C', 10}, {"LAST", 'C', 12}, {"SHOWDATE", 'D', 8}, {"PLACE", 'N', 3}});
    table.setTags({{"NAME", "upper(last+first)"}});
    table.open(path);
    const QList<QStringList> rows{{"Ann", "Young", "06/05/2004", "1"}, {"Bob", "Adams", "06/06/2004", "12"},
                                  {"Cy", "Moore", "", "3"}, {"Di", "Baker", "06/05/2004", "2"}};
    for (const QStringList& r : rows) {
        table.append();
        table.setText("FIRST", r[0]);
        table.setText("LAST", r[1]);
        table.setText("SHOWDATE", r[2]);
        table.setText("PLACE", r[3]);
        table.post();
    }
}

}

// From the current record in the current order, deleted records hidden; fields as stored.
TEST(TableLabelSource, FollowsTheTableFromItsCurrentRecord)
{
    TempFolder folder;
    xbase::Table table;
    makeOwners(table, folder.file("owners.dbf"));
    table.setCurrentTag("NAME");
    table.first();          // Adams
    table.next();           // Baker
    table.setDeleted(true);
    table.setShowDeleted(false);
    table.first();
    table.next();           // Moore, now that Baker is hidden

    LabelLayout layout;
    layout.stock = LabelStock::avery5160();
    layout.add({"name", LabelElement::Expression, "trim(first)+' '+trim(last)", 15, 20, 220, PrintFont::arial(9), Qt::AlignLeft, true});
    layout.add({"date", LabelElement::Field, "SHOWDATE", 11, 7, 65, PrintFont::arial(8), Qt::AlignLeft, true});
    layout.add({"place", LabelElement::Field, "place", 224, 50, 21, PrintFont::arial(8, true), Qt::AlignLeft, true});
    TableLabelSource source(table);
    RecordingCanvas canvas(2550, 3300);
    EXPECT_EQ(printLabels(canvas, layout, &source, {}).printed, 2);
    QStringList texts = canvas.textLinesOn(1);
    EXPECT_EQ(texts, (QStringList{"Cy Moore", "          ", "  3", "Ann Young", "06/05/2004", "  1"}));
}

TEST(TableLabelSource, AnExpressionThatDoesNotCompileFailsTheRun)
{
    TempFolder folder;
    xbase::Table table;
    makeOwners(table, folder.file("owners.dbf"));
    table.first();
    TableLabelSource source(table);
    EXPECT_THROW(source.evaluate("trim(nosuchfield"), xbase::Error);
}

TEST(ReportDataFromTable, TakesTheRowsInOrderUnderTheFilterAndKeepsThePosition)
{
    TempFolder folder;
    xbase::Table table;
    makeOwners(table, folder.file("owners.dbf"));
    table.setCurrentTag("NAME");
    table.setFilter("place < 10");
    table.first();
    table.next();
    const quint32 was = table.recNo();
    const ReportData data = reportDataFromTable(table, {"last", "place"});
    ASSERT_EQ(data.rowCount(), 3);
    EXPECT_EQ(data.value(0, "LAST").trimmed(), "Baker");
    EXPECT_EQ(data.value(1, "last").trimmed(), "Moore");
    EXPECT_EQ(data.value(2, "place"), "  1");
    EXPECT_EQ(table.recNo(), was);
    EXPECT_EQ(reportDataFromTable(table).columns().size(), 4);
}

#include "platform/printing/labeljob.h"
#include "platform/printing/labels.h"
#include "platform/printing/labelwidgets.h"
#include "platform/printing/recordingcanvas.h"
#include "samples.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"
#include "testfiles.h"

#include <QPrinter>
#include <gtest/gtest.h>

namespace {

// One fixed-text element at the label's corner, so each label records its corner.
LabelLayout cornerLayout(const LabelStock& stock)
{
    LabelLayout layout;
    layout.stock = stock;
    layout.add({"n", LabelElement::FixedText, "x", 0, 0, 0, PrintFont::arial(8), Qt::AlignLeft, true});
    return layout;
}

// Corners in 0.1 mm from the paper edge, with the page, of every label drawn.
struct Corner { int page; double x; double y; };
QList<Corner> corners(const RecordingCanvas& canvas)
{
    QList<Corner> out;
    for (const CanvasOp& op : canvas.ops())
        if (op.kind == CanvasOp::TextBox)
            out.append({op.page, op.x() * 254 / 300, op.y() * 254 / 300});
    return out;
}

}

TEST(LabelStock, MarginsLabelsAndGapsFillTheLetterPage)
{
    for (const LabelStock& s : {LabelStock::avery5160(), LabelStock::avery5163(), LabelStock::avery5267()}) {
        SCOPED_TRACE(s.name.toStdString());
        EXPECT_NEAR(s.left + s.across * s.width + (s.across - 1) * s.columnGap + s.right, 2159, 1);
        EXPECT_EQ(s.top + s.down * s.height + (s.down - 1) * s.rowGap + s.bottom, 2794);
    }
    EXPECT_EQ(LabelStock::avery5160().perSheet(), 30);
    EXPECT_EQ(LabelStock::avery5163().perSheet(), 10);
    EXPECT_EQ(LabelStock::avery5267().perSheet(), 80);
}

// The first label, one in mid-sheet and the first of sheet two, for each stock,
// against the stock table to 0.1 mm.
TEST(LabelRun, LabelsLandWhereTheStockTableSays)
{
    struct Case { LabelStock stock; int midRow; int midColumn; };
    for (const Case& c : {Case{LabelStock::avery5160(), 5, 2}, Case{LabelStock::avery5163(), 3, 2},
                          Case{LabelStock::avery5267(), 11, 3}}) {
        const LabelStock& s = c.stock;
        SCOPED_TRACE(s.name.toStdString());
        RecordingCanvas canvas(2550, 3300);
        LabelLayout layout = cornerLayout(s);
        LabelRun run;
        run.copies = s.perSheet() + 1;
        const LabelRunResult result = printLabels(canvas, layout, nullptr, run);
        EXPECT_EQ(result.printed, s.perSheet() + 1);
        EXPECT_EQ(result.pages, 2);
        const QList<Corner> all = corners(canvas);
        ASSERT_EQ(all.size(), s.perSheet() + 1);

        EXPECT_EQ(all[0].page, 1);
        EXPECT_NEAR(all[0].x, s.left, 0.05);
        EXPECT_NEAR(all[0].y, s.top, 0.05);

        const Corner mid = all[(c.midRow - 1) * s.across + c.midColumn - 1];
        EXPECT_NEAR(mid.x, s.left + (c.midColumn - 1) * (s.width + s.columnGap), 0.05);
        EXPECT_NEAR(mid.y, s.top + (c.midRow - 1) * (s.height + s.rowGap), 0.05);

        const Corner second = all.last();
        EXPECT_EQ(second.page, 2);
        EXPECT_NEAR(second.x, s.left, 0.05);
        EXPECT_NEAR(second.y, s.top, 0.05);
    }
}

TEST(LabelRun, StartPositionFiveOn5160IsRowTwoColumnTwoAndThe27thLabelStartsSheetTwo)
{
    const LabelStock s = LabelStock::avery5160();
    RecordingCanvas canvas(2550, 3300);
    LabelLayout layout = cornerLayout(s);
    StartPositionButtons buttons(s);
    buttons.setPosition(5);
    ASSERT_EQ(buttons.row(), 2);
    ASSERT_EQ(buttons.column(), 2);
    LabelRun run;
    run.startRow = buttons.row();
    run.startColumn = buttons.column();
    run.copies = 27;
    printLabels(canvas, layout, nullptr, run);
    const QList<Corner> all = corners(canvas);
    ASSERT_EQ(all.size(), 27);
    EXPECT_NEAR(all[0].x, s.left + s.width + s.columnGap, 0.05);
    EXPECT_NEAR(all[0].y, s.top + s.height, 0.05);
    EXPECT_EQ(all[25].page, 1);
    EXPECT_EQ(all[26].page, 2);
    EXPECT_NEAR(all[26].x, s.left, 0.05);
    EXPECT_NEAR(all[26].y, s.top, 0.05);
}

TEST(LabelRun, StartButtonsMapRowByRow)
{
    StartPositionButtons buttons(LabelStock::avery5163());
    EXPECT_EQ(buttons.position(), 1);
    buttons.setPosition(5);
    EXPECT_EQ(buttons.row(), 3);
    EXPECT_EQ(buttons.column(), 1);
    EXPECT_EQ(StartPositionButtons::stockCaption(LabelStock::avery5163()), "Avery Labels #  5163");
    EXPECT_EQ(StartPositionButtons::acrossCaption(LabelStock::avery5160()), "3 - Across -- 30 labels per page");
    EXPECT_EQ(StartPositionButtons::acrossCaption(LabelStock::avery5163()), "2 - Across -- 10 labels per page");
}

TEST(LabelRun, AStartOutsideTheSheetIsTakenAsOneAndCopiesAsAtLeastOne)
{
    const LabelStock s = LabelStock::avery5267();
    RecordingCanvas canvas(2550, 3300);
    LabelLayout layout = cornerLayout(s);
    LabelRun run;
    run.startRow = 21;
    run.startColumn = 5;
    run.copies = 0;
    EXPECT_EQ(printLabels(canvas, layout, nullptr, run).printed, 1);
    const QList<Corner> all = corners(canvas);
    ASSERT_EQ(all.size(), 1);
    EXPECT_NEAR(all[0].x, s.left, 0.05);
    EXPECT_NEAR(all[0].y, s.top, 0.05);
}

TEST(LabelRun, ReturnAddressesFromRowThreeColumnTwoEndOnSheetTwo)
{
    RecordingCanvas canvas(2550, 3300);
    LabelLayout layout = cornerLayout(LabelStock::avery5160());
    LabelRun run;
    run.startRow = 3;
    run.startColumn = 2;
    run.copies = 30;
    EXPECT_EQ(printLabels(canvas, layout, nullptr, run).pages, 2);
    LabelLayout full = cornerLayout(LabelStock::avery5267());
    RecordingCanvas one(2550, 3300);
    run = LabelRun{};
    run.copies = 80;
    EXPECT_EQ(printLabels(one, full, nullptr, run).pages, 1);
}

// A skipped record takes no position; stop ends the run; after-print runs per printed label.
TEST(LabelRun, SkipTakesNoPositionAndStopEndsTheRun)
{
    ListLabelSource source = sampleAddresses(10);
    LabelLayout layout = sampleAddressLayout();
    RecordingCanvas canvas(2550, 3300);
    int afterCalls = 0;
    LabelRun run;
    run.beforePrint = [&](LabelLayout&) {
        const QString first = source.field("first");
        if (first == "Owner2")
            return BeforePrint::Skip;
        if (first == "Owner5")
            return BeforePrint::Stop;
        return BeforePrint::Print;
    };
    run.afterPrint = [&](LabelLayout&) { ++afterCalls; };
    const LabelRunResult result = printLabels(canvas, layout, &source, run);
    EXPECT_EQ(result.printed, 3);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(afterCalls, 3);
    const QList<CanvasOp> names = canvas.findAll("Sample");
    ASSERT_EQ(names.size(), 3);
    EXPECT_EQ(names[0].text, "Owner1 Sample");
    EXPECT_EQ(names[1].text, "Owner3 Sample");   // in the second position
    const LabelStock s = layout.stock;
    EXPECT_NEAR(names[1].x(), PrintUnits::fromTenthMillimetres(s.left + s.width + s.columnGap) + PrintUnits::fromPixels96(15), 1e-6);
    EXPECT_EQ(canvas.findText("Owner5"), nullptr);
}

TEST(LabelRun, ElementsArePlacedIn96thsOfAnInchAndHiddenOnesAreLeftOut)
{
    ListLabelSource source = sampleAddresses(1);
    LabelLayout layout = sampleAddressLayout();
    layout.element("address")->visible = false;
    layout.add({"caption", LabelElement::FixedText, "Place:", 214, 35, 29, PrintFont::arial(8), Qt::AlignRight, true});
    RecordingCanvas canvas(2550, 3300);
    printLabels(canvas, layout, &source, {});
    EXPECT_EQ(canvas.findText("Oak Lane"), nullptr);
    const CanvasOp* place = canvas.findText("Springfield, IL   62704");
    ASSERT_NE(place, nullptr);
    EXPECT_NEAR(place->x(), PrintUnits::fromTenthMillimetres(48) + 15 * 300.0 / 96, 1e-6);
    EXPECT_NEAR(place->y(), PrintUnits::fromTenthMillimetres(127) + 54 * 300.0 / 96, 1e-6);
    EXPECT_NEAR(place->rect.width(), 220 * 300.0 / 96, 1e-6);
    EXPECT_EQ(place->font, PrintFont::arial(9));
    const CanvasOp* caption = canvas.findText("Place:");
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(caption->flags & Qt::AlignRight);
}

TEST(LabelCount, SheetsAndLastSheetTexts)
{
    struct Case { int labels; QString need; QString words; QString last; };
    const QList<Case> cases{
        {1, "You will need 1", "sheet of labels", ""},
        {30, "You will need 1", "sheet of labels", ""},
        {31, "You will need 2", "sheets of labels", "The last sheet will use 1 label"},
        {60, "You will need 2", "sheets of labels", ""},
        {62, "You will need 3", "sheets of labels", "The last sheet will use 2 labels"},
    };
    LabelCountPanel panel;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.labels);
        panel.setCount({c.labels, 30});
        EXPECT_EQ(panel.needText(), c.need);
        EXPECT_EQ(panel.sheetWordsText(), c.words);
        EXPECT_EQ(panel.lastSheetText(), c.last);
        EXPECT_EQ(panel.lastSheetShown(), !c.last.isEmpty());
    }
    panel.setNeedPrefix("You will need  ");
    EXPECT_EQ(panel.needText(), "You will need  3");
}

TEST(LabelJob, AbortFlagStopsTheRunAndSaysPrintingAborted)
{
    ListLabelSource source = sampleAddresses(10);
    LabelLayout layout = sampleAddressLayout();
    RecordingCanvas canvas(2550, 3300);
    bool abort = false;
    LabelRun run;
    run.afterPrint = [&](LabelLayout&) { abort = source.row() >= 3; };
    LabelJob job;
    job.aborted = [&] { return abort; };
    QStringList said;
    const LabelJobResult result = runLabelSheets(canvas, layout, &source, run, job, [&](const QString& t) { said.append(t); });
    EXPECT_EQ(result.outcome, JobOutcome::Aborted);
    EXPECT_EQ(result.run.printed, 4);
    EXPECT_EQ(said, QStringList{"Printing aborted"});

    ListLabelSource again = sampleAddresses(3);
    RecordingCanvas canvas2(2550, 3300);
    said.clear();
    abort = false;
    LabelRun plain;
    EXPECT_EQ(runLabelSheets(canvas2, layout, &again, plain, job, [&](const QString& t) { said.append(t); }).outcome,
              JobOutcome::Completed);
    EXPECT_EQ(said, QStringList{"All Done!"});
}

// A 5160 sheet started at position 5 with one record skipped, printed to PDF.
TEST(LabelJob, PrintsASheetToPdfFromThePaperEdge)
{
    ScriptedDialogs dialogs;
    dialogs.expectPrint(true);
    dialogs.expectMessage("All Done!");
    TempFolder folder;
    const QString pdf = sampleOutput(folder, "labels-5160.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));

    ListLabelSource source = sampleAddresses(30);
    LabelLayout layout = sampleAddressLayout();
    LabelRun run;
    run.startRow = 2;
    run.startColumn = 2;
    run.beforePrint = [&](LabelLayout&) { return source.field("first") == "Owner3" ? BeforePrint::Skip : BeforePrint::Print; };
    const LabelJobResult result = printLabelSheets(printer, layout, &source, run, LabelJob{}, PrintServices::fromDialogs());
    EXPECT_EQ(result.outcome, JobOutcome::Completed);
    EXPECT_EQ(result.run.printed, 29);
    EXPECT_EQ(result.run.pages, 2);
    // The sheet was Letter from the paper edge; the printer's own set-up is back afterwards.
    EXPECT_EQ(pdfPageCount(pdf), 2);
    EXPECT_EQ(runTool("pdfinfo", {pdf}).contains("612 x 792 pts (letter)"), true);
    EXPECT_FALSE(printer.fullPage());
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("Owner1 Sample"));
    EXPECT_FALSE(text.contains("Owner3 Sample"));
}

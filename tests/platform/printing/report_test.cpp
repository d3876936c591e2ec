#include "platform/printing/recordingcanvas.h"
#include "platform/printing/report.h"
#include "platform/printing/reportpreview.h"
#include "samples.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"
#include "testfiles.h"

#include <QPrintPreviewWidget>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {

RecordingCanvas canvasFor(const ReportLayout& layout)
{
    const QSizeF size = layout.printableUnits();
    return RecordingCanvas(size.width(), size.height());
}

double mm(double v)
{
    return PrintUnits::fromMillimetres(v);
}

// A plain list: detail rows of 10 mm with the row's number, header 20 mm, footer 10 mm.
ReportLayout plainLayout()
{
    ReportLayout r;
    r.name = "Plain";
    r.pageHeader.height = 20;
    r.pageHeader.add(ReportElement::label({0, 0, 100, 5}, "Heading", PrintFont::arial(10)));
    r.detail.height = 10;
    r.detail.add(ReportElement::field({0, 0, 50, 5}, "ROW", PrintFont::arial(10)));
    r.pageFooter.height = 10;
    r.pageFooter.add(ReportElement::computed({0, 0, 50, 5}, [](const ReportContext& c) {
        return "Page " + QString::number(c.page);
    }, PrintFont::arial(8)));
    return r;
}

QList<CanvasOp> rowsOn(const RecordingCanvas& canvas, int page)
{
    QList<CanvasOp> out;
    for (const CanvasOp& op : canvas.textsOn(page))
        if (op.text.toInt() > 0)
            out.append(op);
    return out;
}

}

TEST(Report, DetailRowsFillThePageBetweenHeaderAndFooter)
{
    const ReportLayout layout = plainLayout();
    RecordingCanvas canvas = canvasFor(layout);
    // Letter 279.4 mm less 2 x 12.7 margins = 254 mm: 20 header + 10 footer leave room for 22 rows.
    renderReport(canvas, layout, ReportData::synthetic(30));
    ASSERT_EQ(canvas.pageCount(), 2);
    const QList<CanvasOp> first = rowsOn(canvas, 1);
    ASSERT_EQ(first.size(), 22);
    EXPECT_NEAR(first[0].y(), mm(20), 1e-6);
    EXPECT_NEAR(first[21].y(), mm(20 + 21 * 10), 1e-6);
    const QList<CanvasOp> second = rowsOn(canvas, 2);
    ASSERT_EQ(second.size(), 8);
    EXPECT_EQ(second[0].text, "23");
    EXPECT_NEAR(second[0].y(), mm(20), 1e-6);
    for (int page = 1; page <= 2; ++page) {
        const QStringList texts = canvas.textLinesOn(page);
        EXPECT_EQ(texts.first(), "Heading");
        EXPECT_TRUE(texts.contains("Page " + QString::number(page)));
    }
    const CanvasOp* footer = canvas.findText("Page 1");
    EXPECT_NEAR(footer->y(), canvas.pageHeight() - mm(10), 1e-6);
}

TEST(Report, DrawingTwiceGivesTheSameOperations)
{
    const ReportLayout layout = sampleAwardReport(QColor(198, 225, 225));
    const ReportData data = sampleAwardData();
    RecordingCanvas a = canvasFor(layout);
    RecordingCanvas b = canvasFor(layout);
    renderReport(a, layout, data);
    renderReport(b, layout, data);
    ASSERT_EQ(a.ops().size(), b.ops().size());
    for (qsizetype i = 0; i < a.ops().size(); ++i) {
        EXPECT_EQ(a.ops()[i].text, b.ops()[i].text);
        EXPECT_EQ(a.ops()[i].rect, b.ops()[i].rect);
        EXPECT_EQ(a.ops()[i].page, b.ops()[i].page);
    }
}

TEST(Report, GroupHeadersBreakOnTheKeyWithTheirRunTimeShading)
{
    const QColor shading(250, 235, 215);
    const ReportLayout layout = sampleAwardReport(shading);
    RecordingCanvas canvas = canvasFor(layout);
    renderReport(canvas, layout, sampleAwardData());
    const QStringList expected{"12\" Regular", "12\" Veteran", "16\" Regular", "16\" Veteran"};
    QStringList headers;
    QList<const CanvasOp*> found;
    for (const CanvasOp& op : canvas.ops())
        if (op.text.contains('"')) {
            headers.append(op.text);
            found.append(&op);
        }
    EXPECT_EQ(headers, expected);
    int fills = 0;
    for (const CanvasOp& op : canvas.ops())
        if (op.kind == CanvasOp::Fill) {
            EXPECT_EQ(op.colour, shading);
            ++fills;
        }
    EXPECT_EQ(fills, 4);
    // Each group's two rows follow its header, 6 mm apart.
    const CanvasOp* ace = canvas.findText("Ace0");
    const CanvasOp* bolt = canvas.findText("Bolt1");
    ASSERT_TRUE(ace && bolt);
    EXPECT_NEAR(bolt->y() - ace->y(), mm(6), 1e-6);
    EXPECT_NEAR(ace->y() - found[0]->y(), mm(8 - 1.5 + 0.8), 1e-6);
}

// A group that does not fit in what is left of a page starts on the next one.
TEST(Report, KeepTogetherMovesAWholeGroupToTheNextPage)
{
    ReportLayout layout = plainLayout();
    ReportGroup tens;
    tens.key = [](const ReportContext& c) { return QString::number((c.value("ROW").toInt() - 1) / 10); };
    tens.keepTogether = true;
    tens.header.height = 10;
    tens.header.add(ReportElement::computed({0, 0, 50, 5}, [](const ReportContext& c) { return "Group of " + c.value("ROW"); },
                                            PrintFont::arial(10, true)));
    layout.groups = {tens};
    RecordingCanvas canvas = canvasFor(layout);
    renderReport(canvas, layout, ReportData::synthetic(30));
    // 22 slots: group 1 takes 11, group 2 would need 11 more (fits exactly), group 3 goes over.
    EXPECT_EQ(canvas.findText("Group of 1")->page, 1);
    EXPECT_EQ(canvas.findText("Group of 11")->page, 1);
    const CanvasOp* third = canvas.findText("Group of 21");
    EXPECT_EQ(third->page, 2);
    EXPECT_NEAR(third->y(), mm(20), 1e-6);
    EXPECT_EQ(canvas.pageCount(), 2);

    layout.groups[0].keepTogether = false;
    layout.groups[0].newPage = true;
    RecordingCanvas paged = canvasFor(layout);
    renderReport(paged, layout, ReportData::synthetic(30));
    EXPECT_EQ(paged.pageCount(), 3);
    EXPECT_EQ(paged.findText("Group of 11")->page, 2);
}

// A heading group whose header comes again on every page it continues on.
TEST(Report, ReprintedHeaderRepeatsOnContinuationPages)
{
    ReportLayout layout = plainLayout();
    ReportGroup heading;
    heading.key = [](const ReportContext&) { return QStringLiteral("all"); };
    heading.reprintHeader = true;
    heading.header.height = 10;
    heading.header.add(ReportElement::label({0, 0, 50, 5}, "Ring  1", PrintFont::arial(12, true)));
    ReportGroup plain;
    plain.key = heading.key;
    plain.header.height = 10;
    plain.header.add(ReportElement::label({0, 0, 50, 5}, "Once only", PrintFont::arial(12, true)));
    layout.groups = {heading, plain};
    RecordingCanvas canvas = canvasFor(layout);
    renderReport(canvas, layout, ReportData::synthetic(50));
    ASSERT_EQ(canvas.pageCount(), 3);
    const QList<CanvasOp> rings = canvas.findAll("Ring  1");
    ASSERT_EQ(rings.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rings[i].page, i + 1);
        EXPECT_NEAR(rings[i].y(), mm(20), 1e-6);
    }
    EXPECT_EQ(canvas.findAll("Once only").size(), 1);
    EXPECT_NEAR(rowsOn(canvas, 2).first().y(), mm(30), 1e-6);
}

// Two sheets per page: down the first column, then the second, with column footers.
TEST(Report, MultiColumnDetailFlowsDownEachColumnInTurn)
{
    ReportLayout layout;
    layout.orientation = QPageLayout::Landscape;
    layout.margins = {12.7, 11.43, 12.7, 11.43};
    layout.columnLefts = {0, 134.62};
    layout.columnWidth = 127;
    layout.detail.height = 120;
    layout.detail.add(ReportElement::field({5, 5, 50, 5}, "ROW", PrintFont::arial(12, true)));
    ReportElement ring = ReportElement::ellipse({60, 5, 20, 8});
    ring.visible = [](const ReportContext& c) { return c.value("ROW").toInt() % 2 == 0; };
    layout.detail.add(ring);
    layout.columnFooter.height = 8;
    ReportElement note = ReportElement::label({0, 0, 127, 5}, "Effective 01-01-08", PrintFont::arial(8));
    note.font.italic = true;
    layout.columnFooter.add(note);
    RecordingCanvas canvas = canvasFor(layout);
    renderReport(canvas, layout, ReportData::synthetic(5));
    ASSERT_EQ(canvas.pageCount(), 3);
    const auto at = [&](const QString& row) { return canvas.findText(row); };
    EXPECT_EQ(at("1")->page, 1);
    EXPECT_NEAR(at("1")->x(), mm(5), 1e-6);
    EXPECT_EQ(at("2")->page, 1);
    EXPECT_NEAR(at("2")->x(), mm(134.62 + 5), 1e-6);
    EXPECT_NEAR(at("2")->y(), at("1")->y(), 1e-6);
    EXPECT_EQ(at("3")->page, 2);
    EXPECT_EQ(at("5")->page, 3);
    int ellipses = 0;
    for (const CanvasOp& op : canvas.ops())
        ellipses += op.kind == CanvasOp::Ellipse;
    EXPECT_EQ(ellipses, 2);
    // Both columns of the full pages end with their footer; the last page's first column too.
    EXPECT_EQ(canvas.findAll("Effective 01-01-08").size(), 5);
    EXPECT_TRUE(canvas.findText("Effective")->font.italic);
}

TEST(Report, ParagraphRunsKeepTheirBoldAndWrapInTheirBox)
{
    ReportLayout layout;
    layout.detail.height = 30;
    layout.detail.add(ReportElement::paragraph({0, 0, 60, 30}, {
        {"Dogs must be measured ", false}, {"before their first run", true}, {" on each day of the trial.", false}},
        PrintFont{QStringLiteral("MS Sans Serif"), 8}));
    layout.detail.add(ReportElement::checkBox({70, 0, 4, 4}));
    RecordingCanvas canvas = canvasFor(layout);
    renderReport(canvas, layout, ReportData::synthetic(1));
    QStringList bold;
    double maxRight = 0;
    QSet<double> lines;
    for (const CanvasOp& op : canvas.textsOn(1)) {
        if (op.font.bold)
            bold.append(op.text.trimmed());
        maxRight = qMax(maxRight, op.rect.right());
        lines.insert(op.y());
    }
    EXPECT_EQ(bold.join(' '), "before their first run");
    EXPECT_LE(maxRight, mm(60) + 1);
    EXPECT_GE(lines.size(), 2);
    int boxes = 0;
    for (const CanvasOp& op : canvas.ops())
        boxes += op.kind == CanvasOp::Rectangle;
    EXPECT_EQ(boxes, 1);
}

TEST(Report, TitleOnceAndSummaryAfterTheLastRow)
{
    ReportLayout layout = plainLayout();
    layout.title.height = 15;
    layout.title.add(ReportElement::label({0, 0, 100, 6}, "The Title", PrintFont::arial(14, true), Qt::AlignHCenter));
    layout.summary.height = 10;
    layout.summary.add(ReportElement::label({0, 0, 100, 6}, "The End", PrintFont::arial(10)));
    RecordingCanvas canvas = canvasFor(layout);
    renderReport(canvas, layout, ReportData::synthetic(25));
    EXPECT_EQ(canvas.findAll("The Title").size(), 1);
    EXPECT_NEAR(canvas.findText("The Title")->y(), mm(20), 1e-6);
    EXPECT_NEAR(canvas.findText("1")->y(), mm(35), 1e-6);
    EXPECT_EQ(canvas.findText("The End")->page, canvas.pageCount());
}

TEST(ReportPreview, PreviewShowsTheSamePagesAsTheRecording)
{
    const ReportLayout layout = plainLayout();
    const ReportData data = ReportData::synthetic(50);
    RecordingCanvas canvas = canvasFor(layout);
    renderReport(canvas, layout, data);
    QPrinter printer(QPrinter::HighResolution);
    ReportPreview preview(layout, data, printer, PrintServices{});
    preview.setZoom(PreviewZoom::toPercent(93));
    preview.previewWidget()->updatePreview();
    EXPECT_EQ(preview.pageCount(), canvas.pageCount());
    EXPECT_NEAR(preview.previewWidget()->zoomFactor(), 0.93, 1e-9);
    preview.setZoom(PreviewZoom::toPageWidth());
    EXPECT_EQ(preview.previewWidget()->zoomMode(), QPrintPreviewWidget::FitToWidth);
}

// The sample award report with two groups, printed to PDF through the job path.
TEST(ReportPreview, PrintsTheAwardReportToPdf)
{
    ScriptedDialogs dialogs;
    dialogs.expectPrint(true);
    TempFolder folder;
    const QString pdf = sampleOutput(folder, "award-report.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    const ReportLayout layout = sampleAwardReport(QColor(198, 225, 225));
    EXPECT_EQ(printReport(printer, layout, sampleAwardData(), PrintServices::fromDialogs()), JobOutcome::Completed);
    EXPECT_TRUE(runTool("pdfinfo", {pdf}).contains("612 x 792 pts (letter)"));
    EXPECT_EQ(pdfPageCount(pdf), 1);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("High In Standard Awards"));
    EXPECT_TRUE(text.contains("16\" Veteran"));
    EXPECT_TRUE(text.contains("Hero7"));
}

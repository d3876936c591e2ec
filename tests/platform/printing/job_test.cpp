#include "platform/printing/jobprogress.h"
#include "platform/printing/printjob.h"
#include "platform/printing/recordingcanvas.h"
#include "samples.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"
#include "testfiles.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPrinter>
#include <gtest/gtest.h>

// The line a text sits on, in the address list's pitch.
static int lineOf(const CanvasOp& op, double pitch)
{
    return qRound(op.y() / pitch);
}

TEST(AddressList, TitleOnEveryPageAndLinesUpToTheLastPosition)
{
    RecordingCanvas canvas;
    const AddressListGeometry g = addressListGeometry(canvas);
    const int perPage = g.lastLine - g.firstLine + 1;
    drawAddressList(canvas, sampleJudgeLines(perPage + 3));

    ASSERT_EQ(canvas.pageCount(), 2);
    for (int page = 1; page <= 2; ++page) {
        const QList<CanvasOp> texts = canvas.textsOn(page);
        ASSERT_FALSE(texts.isEmpty());
        EXPECT_EQ(texts.first().text, QStringLiteral("Judge's Address List"));
        EXPECT_DOUBLE_EQ(texts.first().x(), 250);
        EXPECT_EQ(lineOf(texts.first(), g.pitch), 1);
    }
    // The heading line is the fifth line position of page 1, indented 150.
    const CanvasOp* heading = canvas.findText("Name        Phone");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->page, 1);
    EXPECT_EQ(lineOf(*heading, g.pitch), 5);
    EXPECT_DOUBLE_EQ(heading->x(), 150);

    // The last line of page 1 ends four positions short of the bottom; the next goes over.
    const QString lastOnPage1 = QStringLiteral("Judge%1 Person").arg(perPage - 1);
    const CanvasOp* last = canvas.findText(lastOnPage1);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->page, 1);
    EXPECT_EQ(lineOf(*last, g.pitch), g.lastLine);
    EXPECT_LE((g.lastLine + 5) * g.pitch, canvas.pageHeight());
    const CanvasOp* first2 = canvas.findText(QStringLiteral("Judge%1 Person").arg(perPage));
    ASSERT_NE(first2, nullptr);
    EXPECT_EQ(first2->page, 2);
    EXPECT_EQ(lineOf(*first2, g.pitch), 5);
}

TEST(AddressList, ExactlyOnePageFullStaysOnOnePage)
{
    RecordingCanvas canvas;
    const AddressListGeometry g = addressListGeometry(canvas);
    drawAddressList(canvas, sampleJudgeLines(g.lastLine - g.firstLine + 1));
    EXPECT_EQ(canvas.pageCount(), 1);
}

TEST(RunDocument, CompletedJobSaysAllDataSent)
{
    RecordingCanvas canvas;
    QStringList said;
    const JobOutcome outcome = runDocument(canvas, [](Canvas& c) { drawAddressList(c, sampleJudgeLines(10)); },
                                           JobTexts{}, [&](const QString& t) { said.append(t); });
    EXPECT_EQ(outcome, JobOutcome::Completed);
    EXPECT_EQ(said, QStringList{"All Data sent to Printer"});
}

// Esc during page 2: drawing stops there, the pages so far stay, and the job says so.
TEST(RunDocument, AbortKeepsThePagesDrawnAndReportsIt)
{
    RecordingCanvas canvas;
    canvas.stopOnPage(2);
    QStringList said;
    const JobOutcome outcome = runDocument(canvas, [](Canvas& c) { drawAddressList(c, sampleJudgeLines(200)); },
                                           JobTexts{}, [&](const QString& t) { said.append(t); });
    EXPECT_EQ(outcome, JobOutcome::Aborted);
    EXPECT_EQ(said, (QStringList{"Printing aborted", "The print job did not finish printing"}));
    EXPECT_EQ(canvas.pageCount(), 2);
    EXPECT_GT(canvas.textsOn(1).size(), 40);
    QSet<double> linesOnPage2;
    for (const CanvasOp& op : canvas.textsOn(2))
        linesOnPage2.insert(op.y());
    EXPECT_LE(linesOnPage2.size(), 2);
    EXPECT_EQ(canvas.findText("Judge199 Person"), nullptr);
}

TEST(RunDocument, AFailingDocumentDidNotFinish)
{
    RecordingCanvas canvas;
    QStringList said;
    const JobOutcome outcome = runDocument(canvas, [](Canvas&) { throw std::runtime_error("printer gone"); },
                                           JobTexts{}, [&](const QString& t) { said.append(t); });
    EXPECT_EQ(outcome, JobOutcome::Failed);
    EXPECT_EQ(said, QStringList{"The print job did not finish printing"});
}

TEST(PrintDocument, CancelledPrintDialogPrintsNothingAndSaysNothing)
{
    ScriptedDialogs dialogs;
    dialogs.expectPrint(false);
    TempFolder folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.file("none.pdf"));
    bool drawn = false;
    JobRequest request;
    request.title = QStringLiteral("Judge's Address List");
    EXPECT_EQ(printDocument(printer, request, [&](Canvas&) { drawn = true; }, PrintServices::fromDialogs()),
              JobOutcome::Cancelled);
    EXPECT_FALSE(drawn);
    EXPECT_FALSE(QFile::exists(folder.file("none.pdf")));
}

// The whole path to a PDF: dialog, quarter-inch margins, the document, the closing message.
TEST(PrintDocument, PrintsTheAddressListToPdf)
{
    ScriptedDialogs dialogs;
    dialogs.expectPrint(true);
    dialogs.expectMessage("All Data sent to Printer");
    TempFolder folder;
    const QString pdf = sampleOutput(folder, "address-list.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::Letter));   // the paper is the printer's
    JobRequest request;
    request.title = QStringLiteral("Judge's Address List");
    int pages = 0;
    QSizeF size;
    const JobOutcome outcome = printDocument(printer, request, [&](Canvas& c) {
        size = QSizeF(c.pageWidth(), c.pageHeight());
        drawAddressList(c, sampleJudgeLines(70));
        pages = c.pageNumber();
    }, PrintServices::fromDialogs());
    // Letter less a quarter inch all round.
    EXPECT_NEAR(size.width(), 2400, 1);
    EXPECT_NEAR(size.height(), 3150, 1);
    EXPECT_EQ(outcome, JobOutcome::Completed);
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(printer.resolution(), 1200);
    EXPECT_NEAR(printer.pageLayout().margins(QPageLayout::Millimeter).left(), pdfMarginMillimetres, 0.01);
    EXPECT_EQ(pdfPageCount(pdf), 2);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("Judge's Address List"));
    EXPECT_TRUE(text.contains("j69@example.org"));
}

TEST(JobProgress, EscAbortsAndKeepsTheWindowForTheJobToClose)
{
    JobProgress progress("Judge's Address List");
    progress.show();
    EXPECT_TRUE(progress.poll());
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&progress, &esc);
    EXPECT_TRUE(progress.aborted());
    EXPECT_FALSE(progress.poll());
    EXPECT_TRUE(progress.isVisible());
}

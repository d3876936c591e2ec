#include "platform/printing/richtext.h"
#include "platform/printing/richtextviewer.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"
#include "testfiles.h"

#include <QFile>
#include <QPrinter>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

void buildSample(QTextDocument& doc)
{
    RichTextBuilder b(doc);
    b.font("Arial", 14, true).line("Confirmation for {Rex} \\ Day 1");
    b.font("Arial", 10).tabStops({150, 200, 250}).line("Owner\tDog\tBreed");
    b.line(QString::fromUtf8("Zoë Müller\tRex\tBelgian Malinois — tervuren"));
    b.bold(true).size(8).line("Closing date: June 5, 2004");
}

QString readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}

TEST(RichText, RtfCarriesFontsSizesBoldTabsAndEscapes)
{
    QTextDocument doc;
    buildSample(doc);
    const QByteArray rtf = toRtf(doc);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi"));
    EXPECT_TRUE(rtf.trimmed().endsWith('}'));
    EXPECT_TRUE(rtf.contains("{\\f0\\fnil Arial;}"));
    EXPECT_TRUE(rtf.contains("\\fs28\\b Confirmation for \\{Rex\\} \\\\ Day 1\\par"));
    EXPECT_TRUE(rtf.contains("\\pard\\tx3000\\tx4000\\tx5000"));
    EXPECT_TRUE(rtf.contains("Owner\\tab Dog\\tab Breed"));
    EXPECT_TRUE(rtf.contains("Zo\\u235\\'eb M\\u252\\'fcller"));
    EXPECT_TRUE(rtf.contains("\\u8212\\'97"));
    EXPECT_TRUE(rtf.contains("\\fs16\\b Closing date"));
    EXPECT_EQ(rtf.count("\\par\r\n"), 4);
    // Braces balance, ignoring escaped ones.
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') { ++i; continue; }
        depth += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
        ASSERT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);
}

// Read back by an independent RTF reader: the text comes out intact.
TEST(RichText, SavedRtfReadsBackWithAnotherReader)
{
    QTextDocument doc;
    buildSample(doc);
    TempFolder folder;
    const QString path = folder.file("confirmation.rtf");
    ASSERT_TRUE(saveRichText(doc, path));
    bool ran = false;
    // Its HTML output keeps the characters and the bold; it renders tabs as runs of blanks.
    const QString html = runTool("unrtf", {"--html", path}, &ran);
    if (!ran)
        GTEST_SKIP() << "unrtf is not installed (scripts/install-deps.sh installs it)";
    QTextDocument read;
    read.setHtml(html);
    const QString text = read.toPlainText().simplified();
    EXPECT_TRUE(text.contains("Confirmation for {Rex} \\ Day 1")) << text.toStdString();
    EXPECT_TRUE(text.contains("Owner Dog Breed"));
    EXPECT_TRUE(text.contains(QString::fromUtf8("Zoë Müller Rex Belgian Malinois — tervuren")));
    EXPECT_TRUE(text.contains("Closing date: June 5, 2004"));
    EXPECT_TRUE(html.contains("<b>Confirmation"));
}

TEST(RichText, TextFilesArePlainUtf8WithCrLf)
{
    QTextDocument doc;
    buildSample(doc);
    TempFolder folder;
    const QString path = folder.file("list.TXT");
    ASSERT_TRUE(saveRichText(doc, path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_FALSE(bytes.contains("rtf"));
    EXPECT_TRUE(bytes.startsWith("Confirmation for {Rex} \\ Day 1\r\nOwner\tDog\tBreed\r\n"));
    EXPECT_TRUE(bytes.contains(QString::fromUtf8("Zoë").toUtf8()));
    EXPECT_TRUE(bytes.endsWith("2004\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
}

TEST(RichText, SaveFailsWithAReason)
{
    QTextDocument doc;
    buildSample(doc);
    QString error;
    EXPECT_FALSE(saveRichText(doc, "/nonexistent-folder/x.rtf", &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(RichText, ViewerSavesThroughTheDialogs)
{
    TempFolder folder;
    RichTextViewer viewer("List of Owners");
    buildSample(*viewer.document());
    ScriptedDialogs dialogs;
    dialogs.expectSaveFile(folder.file("owners.rtf"));
    dialogs.expectSaveFile(std::nullopt);
    EXPECT_TRUE(viewer.saveAs());
    EXPECT_FALSE(viewer.saveAs());
    EXPECT_TRUE(readAll(folder.file("owners.rtf")).startsWith("{\\rtf1"));
    ASSERT_EQ(dialogs.fileRequests().size(), 2);
    EXPECT_EQ(dialogs.fileRequests()[0].title, "Save As");
}

// Printed with a header and page numbers, page by page.
TEST(RichText, PrintsPagesWithHeaderAndPageNumbers)
{
    QTextDocument doc;
    RichTextBuilder b(doc);
    b.font("Arial", 10).tabStops({100, 300, 400});
    for (int i = 1; i <= 120; ++i)
        b.line(QStringLiteral("Member %1\t%1 Elm Street\tSpringfield").arg(i));
    ScriptedDialogs dialogs;
    dialogs.expectPrint(true);
    TempFolder folder;
    const QString pdf = sampleOutput(folder, "address-listing.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    RichPrintOptions options;
    options.title = "Premium Mailing List";
    options.header = "Premium Mailing List";
    options.pageNumbers = true;
    EXPECT_EQ(printRichText(printer, doc, options, PrintServices::fromDialogs()), JobOutcome::Completed);
    const int pages = pdfPageCount(pdf);
    EXPECT_GE(pages, 2);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("Page " + QString::number(pages)));
    EXPECT_TRUE(text.contains("Member 120"));
    EXPECT_EQ(text.count("Premium Mailing List"), pages);
}

#include "platform/printing/canvas.h"
#include "platform/printing/linepager.h"
#include "platform/printing/paintercanvas.h"
#include "platform/printing/recordingcanvas.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {

QImage imageAt(double dpiX, double dpiY, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpiX / 0.0254));
    image.setDotsPerMeterY(qRound(dpiY / 0.0254));
    image.fill(Qt::white);
    return image;
}

bool dark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// The first row (from the top) holding a dark pixel, or -1.
int firstDarkRow(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (dark(image, x, y))
                return y;
    return -1;
}

}

TEST(PrintUnits, DeviceFactorIsTheExactRatioAtEveryResolution)
{
    struct Case { double dpi; double factor; };
    for (const Case c : {Case{96, 0.32}, Case{300, 1}, Case{600, 2}, Case{1200, 4}, Case{203, 203.0 / 300}}) {
        SCOPED_TRACE(c.dpi);
        EXPECT_DOUBLE_EQ(PrintUnits::deviceFactor(c.dpi), c.factor);
    }
    EXPECT_NEAR(PrintUnits::fromMillimetres(25.4), 300, 1e-9);
    EXPECT_NEAR(PrintUnits::fromTenthMillimetres(254), 300, 1e-9);
    EXPECT_NEAR(PrintUnits::fromPixels96(96), 300, 1e-9);
}

// A rule drawn from 300 to 600 across at 300 down lands at 1 to 2 inches across and
// 1 inch down, whatever the resolution, scaled separately across and down.
TEST(PainterCanvas, ScalesAcrossAndDownSeparately)
{
    struct Case { double dpiX; double dpiY; };
    for (const Case c : {Case{96, 96}, Case{300, 300}, Case{600, 600}, Case{1200, 1200}, Case{203, 96}, Case{96, 600}}) {
        SCOPED_TRACE(QStringLiteral("%1 x %2").arg(c.dpiX).arg(c.dpiY).toStdString());
        QImage image = imageAt(c.dpiX, c.dpiY, QSize(int(c.dpiX * 3), int(c.dpiY * 2)));
        QPainter painter(&image);
        PainterCanvas canvas(painter, image, {});
        EXPECT_DOUBLE_EQ(canvas.factorX(), c.dpiX / 300);
        EXPECT_DOUBLE_EQ(canvas.factorY(), c.dpiY / 300);
        EXPECT_NEAR(canvas.pageWidth(), 900, 1);
        EXPECT_NEAR(canvas.pageHeight(), 600, 1);
        canvas.line(300, 300, 600, 300, 3);
        painter.end();
        const int y = int(c.dpiY);
        EXPECT_TRUE(dark(image, int(c.dpiX * 1.5), y));
        EXPECT_FALSE(dark(image, int(c.dpiX * 0.9), y));
        EXPECT_FALSE(dark(image, int(c.dpiX * 2.1), y));
        EXPECT_FALSE(dark(image, int(c.dpiX * 1.5), int(c.dpiY * 1.2)));
    }
}

// Text is placed with the top of its cell at y, not its baseline.
TEST(PainterCanvas, TextHangsFromItsTopPosition)
{
    QImage image = imageAt(600, 600, QSize(1200, 1200));
    QPainter painter(&image);
    PainterCanvas canvas(painter, image, {});
    canvas.setFont(PrintFont::arial(24, true));
    canvas.textOut(30, 300, QStringLiteral("H"));
    painter.end();
    const int top = firstDarkRow(image);
    // The cell starts at 600 device pixels; the capital sits a little below the cell's top.
    EXPECT_GE(top, 600);
    EXPECT_LT(top, 600 + 24 * 600 / 72 / 3);
}

TEST(PainterCanvas, PrinterFactorIsFourAtTheJobResolution)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(1200);
    EXPECT_DOUBLE_EQ(PrintUnits::deviceFactor(printer.logicalDpiX()), 4);
    EXPECT_DOUBLE_EQ(PrintUnits::deviceFactor(printer.logicalDpiY()), 4);
}

TEST(Fonts, ArialResolvesToAMetricTwin)
{
    const QFontInfo arial(toQFont(PrintFont::arial(10)));
    EXPECT_EQ(arial.family(), QStringLiteral("Liberation Sans"));
    const QFontInfo courier(toQFont(PrintFont{QStringLiteral("Courier New"), 10}));
    EXPECT_EQ(courier.family(), QStringLiteral("Liberation Mono"));
}

TEST(RecordingCanvas, MeasuresTextAt300PerInch)
{
    RecordingCanvas canvas;
    canvas.setFont(PrintFont::arial(10));
    // A 10-point line of Liberation Sans is about 1.15 x 10/72 inch high.
    EXPECT_NEAR(canvas.textHeight(), 10.0 / 72 * 300 * 1.149, 2);
    const double bold = (canvas.setFont(PrintFont::arial(10, true)), canvas.textWidth("Judge's Address List"));
    canvas.setFont(PrintFont::arial(10));
    EXPECT_GT(bold, canvas.textWidth("Judge's Address List"));
    EXPECT_NEAR(canvas.textWidth("MMMM"), 4 * canvas.textWidth("M"), 1);
}

TEST(Tabs, EveryTabMovesToTheNextHalfInchStop)
{
    RecordingCanvas canvas;
    canvas.setFont(PrintFont::arial(10));
    const QString longText = QStringLiteral("A rather long piece of text");
    ASSERT_GT(canvas.textWidth(longText), 150);
    ASSERT_LT(canvas.textWidth(longText), 600);
    textOutTabbed(canvas, 150, 40, QStringLiteral("ab\tcd\t\t") + longText + QStringLiteral("\tend"));
    const QList<CanvasOp> texts = canvas.textsOn(1);
    ASSERT_EQ(texts.size(), 4);
    EXPECT_DOUBLE_EQ(texts[0].x(), 150);
    EXPECT_DOUBLE_EQ(texts[1].x(), 300);
    EXPECT_DOUBLE_EQ(texts[2].x(), 600);   // two tabs: 450, then 600
    const double end = 600 + canvas.textWidth(longText);
    EXPECT_DOUBLE_EQ(texts[3].x(), 150 + (std::floor((end - 150) / 150) + 1) * 150);
    for (const CanvasOp& op : texts)
        EXPECT_FALSE(op.text.contains('\t'));
}

TEST(LinePager, PlacesLinesAndBreaksAfterTheLastLine)
{
    LinePager pager(100, 80, 36);
    EXPECT_DOUBLE_EQ(pager.y(), 100);
    pager.setLine(36);
    EXPECT_DOUBLE_EQ(pager.y(), 100 + 36 * 80);
    EXPECT_FALSE(pager.pageFull());
    EXPECT_TRUE(pager.roomFor(1));
    EXPECT_FALSE(pager.roomFor(2));
    pager.advance();
    EXPECT_TRUE(pager.pageFull());
    pager.restart();
    EXPECT_EQ(pager.line(), 0);
    EXPECT_EQ(LinePager::linesIn(3150, 50), 63);
}

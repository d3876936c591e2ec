#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

// A page to draw on, in units of 1/300 inch from the top-left of the printable area
// (or of the paper, for label sheets). Documents draw only through this interface,
// so the same drawing goes to a printer, a PDF, a preview or a recording for tests.

struct PrintFont
{
    QString family = QStringLiteral("Arial");
    double points = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    static PrintFont arial(double points, bool bold = false)
    {
        PrintFont f;
        f.points = points;
        f.bold = bold;
        return f;
    }
    bool operator==(const PrintFont&) const = default;
};

class QFont;
class QPainter;
// The Qt font of a print font (in points; the device decides the pixels).
QFont toQFont(const PrintFont& font);

namespace PrintUnits {
constexpr double perInch = 300.0;
constexpr double fromMillimetres(double mm) { return mm * perInch / 25.4; }
constexpr double fromTenthMillimetres(double tenths) { return tenths * perInch / 254.0; }
constexpr double fromPixels96(double px) { return px * perInch / 96.0; }
constexpr double toMillimetres(double units) { return units * 25.4 / perInch; }
// Device units per 1/300 inch, taken exactly so that a 96-dpi screen or an odd
// resolution scales correctly (rounding would give 0 at 96 dpi).
constexpr double deviceFactor(double dpi) { return dpi / perInch; }
}

class Canvas
{
public:
    virtual ~Canvas() = default;

    // Printable width and height of the page, in 1/300 inch.
    virtual double pageWidth() const = 0;
    virtual double pageHeight() const = 0;
    // 1 for the first page; counted by the canvas, not asked of the printer.
    virtual int pageNumber() const = 0;

    virtual void setFont(const PrintFont& font) = 0;
    virtual PrintFont font() const = 0;

    // Text with the top of its cell at y (not the baseline).
    virtual void textOut(double x, double y, const QString& text) = 0;
    // Text inside a box: Qt alignment flags plus Qt::TextWordWrap; clipped to the box.
    virtual void textInBox(const QRectF& box, int flags, const QString& text) = 0;
    virtual double textWidth(const QString& text) const = 0;
    // Height of a line of text in the current font (ascent + descent).
    virtual double textHeight() const = 0;
    // Height the text takes in a box of the given width when wrapped at words.
    virtual double wrappedHeight(double width, const QString& text) const = 0;

    virtual void line(double x1, double y1, double x2, double y2, double penWidth = 1) = 0;
    virtual void rectangle(const QRectF& r, double penWidth = 1) = 0;
    virtual void fillRect(const QRectF& r, const QColor& colour) = 0;
    virtual void ellipse(const QRectF& r, double penWidth = 1) = 0;

    virtual void newPage() = 0;

    // Asked by long documents between lines: false once the job is to stop (Esc).
    virtual bool keepGoing() { return true; }

    // For what the canvas cannot draw itself (laid-out rich text): the painter in
    // device units and the device units per 1/300 inch across; none when recording.
    virtual QPainter* painter() { return nullptr; }
    virtual double deviceFactorX() const { return 1; }
};

// Tab stops every half inch, measured from where the text starts.
constexpr double tabStopUnits = 150.0;

// Draws text whose tab characters move on to the next tab stop; returns the end x.
double textOutTabbed(Canvas& canvas, double x, double y, const QString& text, double stop = tabStopUnits);

// Centres text between two x positions, the way the documents centre titles.
inline double centredX(const Canvas& canvas, double left, double right, const QString& text)
{
    return left + (right - left - canvas.textWidth(text)) / 2;
}

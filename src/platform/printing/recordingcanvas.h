#pragma once

#include "platform/printing/canvas.h"

#include <QList>
#include <QStringList>

// A canvas that draws nothing and keeps every operation with its position in
// 1/300 inch and its page, so tests can check where a document put things.
// Text is measured with the real fonts at 300 dpi.
struct CanvasOp
{
    enum Kind { Text, TextBox, Line, Rectangle, Fill, Ellipse };
    Kind kind = Text;
    int page = 1;
    QRectF rect;       // Text: top-left at (x, y) with measured size; Line: from topLeft to bottomRight
    QString text;
    PrintFont font;
    int flags = 0;
    double pen = 0;
    QColor colour;

    double x() const { return rect.x(); }
    double y() const { return rect.y(); }
};

class RecordingCanvas : public Canvas
{
public:
    // Defaults to the printable area of US Letter with quarter-inch margins.
    explicit RecordingCanvas(double pageWidth = 2400, double pageHeight = 3150);

    double pageWidth() const override { return m_width; }
    double pageHeight() const override { return m_height; }
    int pageNumber() const override { return m_page; }

    void setFont(const PrintFont& font) override { m_font = font; }
    PrintFont font() const override { return m_font; }

    void textOut(double x, double y, const QString& text) override;
    void textInBox(const QRectF& box, int flags, const QString& text) override;
    double textWidth(const QString& text) const override;
    double textHeight() const override;
    double wrappedHeight(double width, const QString& text) const override;

    void line(double x1, double y1, double x2, double y2, double penWidth) override;
    void rectangle(const QRectF& r, double penWidth) override;
    void fillRect(const QRectF& r, const QColor& colour) override;
    void ellipse(const QRectF& r, double penWidth) override;
    void newPage() override { ++m_page; }

    // Makes keepGoing() answer false once the given page has been started.
    void stopOnPage(int page) { m_stopPage = page; }
    bool keepGoing() override { return m_stopPage == 0 || m_page < m_stopPage; }

    const QList<CanvasOp>& ops() const { return m_ops; }
    int pageCount() const { return m_page; }
    QList<CanvasOp> textsOn(int page) const;
    QStringList textLinesOn(int page) const;
    // First text operation whose text contains the given piece, or nullptr.
    const CanvasOp* findText(const QString& piece) const;
    QList<CanvasOp> findAll(const QString& piece) const;
    void clear() { m_ops.clear(); m_page = 1; }

private:
    void add(CanvasOp op);

    double m_width;
    double m_height;
    int m_page = 1;
    int m_stopPage = 0;
    PrintFont m_font;
    QList<CanvasOp> m_ops;
};

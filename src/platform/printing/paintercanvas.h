#pragma once

#include "platform/printing/canvas.h"

#include <QFont>
#include <functional>

class QPainter;
class QPaintDevice;
class QPagedPaintDevice;

// A canvas over a painter that is active on a paged device (a QPrinter for
// printers, PDF files and the preview). Positions are scaled by the device's
// dots per inch / 300, exactly and separately across and down; fonts are set
// in points so they are not scaled twice.
class PainterCanvas : public Canvas
{
public:
    PainterCanvas(QPainter& painter, QPagedPaintDevice& device);
    // Any device; newPage is how it starts a page (none: drawing goes on the same page).
    PainterCanvas(QPainter& painter, QPaintDevice& device, std::function<void()> newPage);

    double factorX() const { return m_fx; }
    double factorY() const { return m_fy; }

    double pageWidth() const override;
    double pageHeight() const override;
    int pageNumber() const override { return m_page; }

    void setFont(const PrintFont& font) override;
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
    void newPage() override;

    void setKeepGoing(std::function<bool()> check) { m_keepGoing = std::move(check); }
    bool keepGoing() override { return m_keepGoing ? m_keepGoing() : true; }
    QPainter* painter() override { return &m_painter; }
    double deviceFactorX() const override { return m_fx; }

private:
    QRectF toDevice(const QRectF& r) const;
    void usePen(double penWidth);

    QPainter& m_painter;
    QPaintDevice& m_device;
    std::function<void()> m_newPage;
    double m_fx;
    double m_fy;
    int m_page = 1;
    PrintFont m_font;
    QFont m_qfont;
    std::function<bool()> m_keepGoing;
};

#include "platform/printing/paintercanvas.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

PainterCanvas::PainterCanvas(QPainter& painter, QPagedPaintDevice& device)
    : PainterCanvas(painter, device, [&device] { device.newPage(); })
{
}

PainterCanvas::PainterCanvas(QPainter& painter, QPaintDevice& device, std::function<void()> newPage)
    : m_painter(painter),
      m_device(device),
      m_newPage(std::move(newPage)),
      m_fx(PrintUnits::deviceFactor(device.logicalDpiX())),
      m_fy(PrintUnits::deviceFactor(device.logicalDpiY()))
{
    setFont(m_font);
}

double PainterCanvas::pageWidth() const
{
    return m_device.width() / m_fx;
}

double PainterCanvas::pageHeight() const
{
    return m_device.height() / m_fy;
}

void PainterCanvas::setFont(const PrintFont& font)
{
    m_font = font;
    m_qfont = QFont(toQFont(font), &m_device);
    m_painter.setFont(m_qfont);
}

QRectF PainterCanvas::toDevice(const QRectF& r) const
{
    return QRectF(r.x() * m_fx, r.y() * m_fy, r.width() * m_fx, r.height() * m_fy);
}

void PainterCanvas::usePen(double penWidth)
{
    QPen pen(Qt::black);
    pen.setWidthF(qMax(penWidth, 1.0) * (m_fx + m_fy) / 2);
    pen.setCapStyle(Qt::FlatCap);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
}

void PainterCanvas::textOut(double x, double y, const QString& text)
{
    // Top of the text cell at y: Qt draws at the baseline.
    const QFontMetricsF m(m_qfont, &m_device);
    m_painter.setPen(Qt::black);
    m_painter.drawText(QPointF(x * m_fx, y * m_fy + m.ascent()), text);
}

void PainterCanvas::textInBox(const QRectF& box, int flags, const QString& text)
{
    m_painter.save();
    const QRectF r = toDevice(box);
    m_painter.setClipRect(r);
    m_painter.setPen(Qt::black);
    m_painter.drawText(r, flags, text);
    m_painter.restore();
}

double PainterCanvas::textWidth(const QString& text) const
{
    return QFontMetricsF(m_qfont, &m_device).horizontalAdvance(text) / m_fx;
}

double PainterCanvas::textHeight() const
{
    const QFontMetricsF m(m_qfont, &m_device);
    return (m.ascent() + m.descent()) / m_fy;
}

double PainterCanvas::wrappedHeight(double width, const QString& text) const
{
    const QFontMetricsF m(m_qfont, &m_device);
    return m.boundingRect(QRectF(0, 0, width * m_fx, 1e9), Qt::TextWordWrap, text).height() / m_fy;
}

void PainterCanvas::line(double x1, double y1, double x2, double y2, double penWidth)
{
    usePen(penWidth);
    m_painter.drawLine(QPointF(x1 * m_fx, y1 * m_fy), QPointF(x2 * m_fx, y2 * m_fy));
}

void PainterCanvas::rectangle(const QRectF& r, double penWidth)
{
    usePen(penWidth);
    m_painter.drawRect(toDevice(r));
}

void PainterCanvas::fillRect(const QRectF& r, const QColor& colour)
{
    m_painter.fillRect(toDevice(r), colour);
}

void PainterCanvas::ellipse(const QRectF& r, double penWidth)
{
    usePen(penWidth);
    m_painter.drawEllipse(toDevice(r));
}

void PainterCanvas::newPage()
{
    if (m_newPage)
        m_newPage();
    ++m_page;
}

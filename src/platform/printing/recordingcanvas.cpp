#include "platform/printing/recordingcanvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

namespace {

// A 300-dpi image as the measuring device, so metrics come out in 1/300 inch.
const QImage& measuringDevice()
{
    static const QImage image = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        const int dpm = qRound(PrintUnits::perInch / 0.0254);
        i.setDotsPerMeterX(dpm);
        i.setDotsPerMeterY(dpm);
        return i;
    }();
    return image;
}

QFontMetricsF metrics(const PrintFont& f)
{
    return QFontMetricsF(toQFont(f), &measuringDevice());
}

}

RecordingCanvas::RecordingCanvas(double pageWidth, double pageHeight)
    : m_width(pageWidth), m_height(pageHeight)
{
}

void RecordingCanvas::add(CanvasOp op)
{
    op.page = m_page;
    m_ops.append(op);
}

void RecordingCanvas::textOut(double x, double y, const QString& text)
{
    CanvasOp op;
    op.kind = CanvasOp::Text;
    op.rect = QRectF(x, y, textWidth(text), textHeight());
    op.text = text;
    op.font = m_font;
    add(op);
}

void RecordingCanvas::textInBox(const QRectF& box, int flags, const QString& text)
{
    CanvasOp op;
    op.kind = CanvasOp::TextBox;
    op.rect = box;
    op.text = text;
    op.font = m_font;
    op.flags = flags;
    add(op);
}

double RecordingCanvas::textWidth(const QString& text) const
{
    return metrics(m_font).horizontalAdvance(text);
}

double RecordingCanvas::textHeight() const
{
    const QFontMetricsF m = metrics(m_font);
    return m.ascent() + m.descent();
}

double RecordingCanvas::wrappedHeight(double width, const QString& text) const
{
    return metrics(m_font).boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height();
}

void RecordingCanvas::line(double x1, double y1, double x2, double y2, double penWidth)
{
    CanvasOp op;
    op.kind = CanvasOp::Line;
    op.rect = QRectF(QPointF(x1, y1), QPointF(x2, y2));
    op.pen = penWidth;
    add(op);
}

void RecordingCanvas::rectangle(const QRectF& r, double penWidth)
{
    CanvasOp op;
    op.kind = CanvasOp::Rectangle;
    op.rect = r;
    op.pen = penWidth;
    add(op);
}

void RecordingCanvas::fillRect(const QRectF& r, const QColor& colour)
{
    CanvasOp op;
    op.kind = CanvasOp::Fill;
    op.rect = r;
    op.colour = colour;
    add(op);
}

void RecordingCanvas::ellipse(const QRectF& r, double penWidth)
{
    CanvasOp op;
    op.kind = CanvasOp::Ellipse;
    op.rect = r;
    op.pen = penWidth;
    add(op);
}

QList<CanvasOp> RecordingCanvas::textsOn(int page) const
{
    QList<CanvasOp> out;
    for (const CanvasOp& op : m_ops)
        if (op.page == page && (op.kind == CanvasOp::Text || op.kind == CanvasOp::TextBox))
            out.append(op);
    return out;
}

QStringList RecordingCanvas::textLinesOn(int page) const
{
    QStringList out;
    for (const CanvasOp& op : textsOn(page))
        out.append(op.text);
    return out;
}

const CanvasOp* RecordingCanvas::findText(const QString& piece) const
{
    for (const CanvasOp& op : m_ops)
        if ((op.kind == CanvasOp::Text || op.kind == CanvasOp::TextBox) && op.text.contains(piece))
            return &op;
    return nullptr;
}

QList<CanvasOp> RecordingCanvas::findAll(const QString& piece) const
{
    QList<CanvasOp> out;
    for (const CanvasOp& op : m_ops)
        if ((op.kind == CanvasOp::Text || op.kind == CanvasOp::TextBox) && op.text.contains(piece))
            out.append(op);
    return out;
}

#include "platform/printing/labels.h"

LabelElement* LabelLayout::element(const QString& name)
{
    for (LabelElement& e : elements)
        if (e.name == name)
            return &e;
    return nullptr;
}

namespace {

QString contentOf(const LabelElement& e, const LabelSource* source)
{
    switch (e.kind) {
    case LabelElement::Field:
        return source ? source->field(e.source) : QString();
    case LabelElement::Expression:
        return source ? source->evaluate(e.source) : QString();
    case LabelElement::FixedText:
        return e.source;
    case LabelElement::Rule:
        break;
    }
    return QString();
}

}

void drawLabel(Canvas& canvas, const LabelLayout& layout, const LabelSource* source, double x, double y)
{
    const double labelWidth = PrintUnits::fromTenthMillimetres(layout.stock.width);
    for (const LabelElement& e : layout.elements) {
        if (!e.visible)
            continue;
        const double left = x + PrintUnits::fromPixels96(e.left);
        const double top = y + PrintUnits::fromPixels96(e.top);
        const double width = e.width > 0 ? PrintUnits::fromPixels96(e.width) : x + labelWidth - left;
        if (e.kind == LabelElement::Rule) {
            canvas.line(left, top, left + width, top, 1);
            continue;
        }
        canvas.setFont(e.font);
        const QRectF box(left, top, width, canvas.textHeight());
        canvas.textInBox(box, int(e.align | Qt::AlignTop) | Qt::TextSingleLine, contentOf(e, source));
    }
}

LabelRunResult printLabels(Canvas& canvas, LabelLayout& layout, LabelSource* source, const LabelRun& run)
{
    const LabelStock& stock = layout.stock;
    int row = (run.startRow >= 1 && run.startRow <= stock.down) ? run.startRow : 1;
    int column = (run.startColumn >= 1 && run.startColumn <= stock.across) ? run.startColumn : 1;
    const int copies = qMax(1, run.copies);

    LabelRunResult result;
    bool pageStarted = false;
    const auto placeOne = [&] {
        if (!pageStarted) {
            if (result.pages > 0)
                canvas.newPage();
            ++result.pages;
            pageStarted = true;
        }
        const QRectF r = stock.labelRect(row, column);
        drawLabel(canvas, layout, source, PrintUnits::fromTenthMillimetres(r.x()),
                  PrintUnits::fromTenthMillimetres(r.y()));
        ++result.printed;
        if (++column > stock.across) {
            column = 1;
            if (++row > stock.down) {
                row = 1;
                pageStarted = false;
            }
        }
    };
    // One label's turn: the before-print answer, then the copies.
    const auto turn = [&]() -> bool {
        if (!canvas.keepGoing()) {
            result.stopped = true;
            return false;
        }
        const BeforePrint answer = run.beforePrint ? run.beforePrint(layout) : BeforePrint::Print;
        if (answer == BeforePrint::Stop) {
            result.stopped = true;
            return false;
        }
        if (answer == BeforePrint::Print) {
            for (int c = 0; c < (source ? copies : 1); ++c)
                placeOne();
            if (run.afterPrint)
                run.afterPrint(layout);
        }
        return true;
    };

    if (source) {
        for (; !source->atEnd(); source->next())
            if (!turn())
                break;
    } else {
        for (int i = 0; i < copies; ++i)
            if (!turn())
                break;
    }
    return result;
}

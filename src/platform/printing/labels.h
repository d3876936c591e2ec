#pragma once

#include "platform/printing/canvas.h"
#include "platform/printing/labelstock.h"

#include <QList>
#include <functional>

// One text element of a label, positioned in 1/96 inch from the label's corner.
struct LabelElement
{
    enum Kind { Field, Expression, FixedText, Rule };
    QString name;          // how the program finds it to change caption or visibility
    Kind kind = FixedText;
    QString source;        // field name, expression, or the caption
    int left = 0;
    int top = 0;
    int width = 0;         // 0: up to the label's right edge
    PrintFont font = PrintFont::arial(8);
    Qt::Alignment align = Qt::AlignLeft;
    bool visible = true;
};

struct LabelLayout
{
    LabelStock stock;
    QList<LabelElement> elements;

    LabelElement* element(const QString& name);
    void add(LabelElement e) { elements.append(std::move(e)); }
};

// Where the labels' records come from: a table followed in its current order
// from its current record. Expressions are evaluated by the table layer.
class LabelSource
{
public:
    virtual ~LabelSource() = default;
    virtual bool atEnd() const = 0;
    virtual void next() = 0;
    virtual QString field(const QString& name) const = 0;
    virtual QString evaluate(const QString& expression) const = 0;
};

enum class BeforePrint { Print = 0, Skip = 1, Stop = 2 };

struct LabelRun
{
    int startRow = 1;
    int startColumn = 1;
    int copies = 1;
    // Asked before each label; may change captions and visibility in the layout.
    std::function<BeforePrint(LabelLayout&)> beforePrint;
    std::function<void(LabelLayout&)> afterPrint;
};

struct LabelRunResult
{
    int printed = 0;
    int pages = 0;
    bool stopped = false;
};

// Draws the labels on a canvas whose origin is the paper's corner. Without a
// source the same label is printed `copies` times. Text is clipped to its box.
LabelRunResult printLabels(Canvas& canvas, LabelLayout& layout, LabelSource* source, const LabelRun& run);

// Draws one label with its top-left corner at (x, y) in 1/300 inch.
void drawLabel(Canvas& canvas, const LabelLayout& layout, const LabelSource* source, double x, double y);

#pragma once

#include "platform/printing/canvas.h"
#include "platform/printing/reportdata.h"

#include <QColor>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <functional>

// A report is a layout of bands declared in code over a ReportData snapshot.
// Geometry is in millimetres: pages from the paper, elements from the band's
// top-left corner (the left margin, or the column's left in a multi-column detail).

struct TextRun
{
    QString text;
    bool bold = false;
};

struct ReportElement
{
    enum Kind { Text, Field, Computed, HorizontalLine, VerticalLine, Box, Ellipse, Paragraph, CheckBox, Custom };

    Kind kind = Text;
    QRectF rect;                          // mm within the band
    PrintFont font = PrintFont::arial(10);
    int align = Qt::AlignLeft;
    bool wordWrap = false;
    QString text;                         // Text: the caption; Field: the field name
    std::function<QString(const ReportContext&)> compute;
    std::function<bool(const ReportContext&)> visible;   // per record; shown when unset
    double pen = 1;                       // 1/300 inch
    bool frame = true;                    // Box: draw its outline
    QColor fill;                          // Box: fill colour, invalid for none
    std::function<QColor(const ReportContext&)> fillAt;  // Box: fill chosen at run time
    QList<TextRun> runs;                  // Paragraph
    std::function<void(Canvas&, const QRectF& units, const ReportContext&)> paint;  // Custom, in 1/300 inch

    static ReportElement label(const QRectF& mm, const QString& text, const PrintFont& font, int align = Qt::AlignLeft);
    static ReportElement field(const QRectF& mm, const QString& field, const PrintFont& font, int align = Qt::AlignLeft);
    static ReportElement computed(const QRectF& mm, std::function<QString(const ReportContext&)> fn,
                                  const PrintFont& font, int align = Qt::AlignLeft);
    static ReportElement hline(double x, double y, double width, double pen = 1);
    static ReportElement vline(double x, double y, double height, double pen = 1);
    static ReportElement box(const QRectF& mm, const QColor& fill = QColor(), bool frame = true);
    static ReportElement ellipse(const QRectF& mm, double pen = 1);
    static ReportElement paragraph(const QRectF& mm, const QList<TextRun>& runs, const PrintFont& font);
    static ReportElement checkBox(const QRectF& mm);
    static ReportElement custom(const QRectF& mm, std::function<void(Canvas&, const QRectF&, const ReportContext&)> fn);
};

struct ReportBand
{
    double height = 0;   // mm; a band of height 0 is absent
    QList<ReportElement> elements;

    bool present() const { return height > 0; }
    ReportBand& add(ReportElement e) { elements.append(std::move(e)); return *this; }
};

struct ReportGroup
{
    // The break key: a field, or a function of the row (a constant key makes a
    // heading group that breaks only at the start).
    QString field;
    std::function<QString(const ReportContext&)> key;
    ReportBand header;
    ReportBand footer;
    bool newPage = false;         // each new value starts a page
    bool keepTogether = false;    // start on a new page when the group would not fit
    bool reprintHeader = false;   // the header again on every page the group continues on

    QString keyOf(const ReportContext& c) const { return key ? key(c) : c.value(field); }
};

struct ReportLayout
{
    QString name;                 // the job's document name
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{12.7, 12.7, 12.7, 12.7};   // mm, left top right bottom

    ReportBand title;             // once, on the first page under the page header
    ReportBand pageHeader;
    ReportBand pageFooter;
    ReportBand columnHeader;      // at the top of every column
    ReportBand columnFooter;      // at the bottom of every column
    ReportBand detail;
    ReportBand summary;           // once, after the last row
    QList<ReportGroup> groups;    // outermost first

    // A detail of several columns flows down the first column, then the next.
    QList<double> columnLefts;    // mm from the left margin; empty: one column at 0
    double columnWidth = 0;       // mm; 0 = the printable width

    QPageLayout pageLayout() const;     // Letter with the margins
    QSizeF printableUnits() const;      // 1/300 inch
};

// Draws the whole report. Reads only the layout and the data, so the preview can
// call it again for every zoom and for printing.
void renderReport(Canvas& canvas, const ReportLayout& layout, const ReportData& data);

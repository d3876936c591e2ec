#pragma once

#include <QRectF>
#include <QString>

// A sheet of labels on US Letter, portrait; lengths in 0.1 mm from the paper edge.
struct LabelStock
{
    QString name;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width = 0;
    int height = 0;
    int rowGap = 0;
    int columnGap = 0;
    int across = 1;
    int down = 1;

    int perSheet() const { return across * down; }
    // The label at row and column (1-based), in 0.1 mm from the paper's corner.
    QRectF labelRect(int row, int column) const
    {
        return QRectF(left + (column - 1) * (width + columnGap), top + (row - 1) * (height + rowGap), width, height);
    }

    static LabelStock avery5160() { return {QStringLiteral("Avery 5160"), 48, 127, 48, 127, 667, 254, 0, 31, 3, 10}; }
    static LabelStock avery5163() { return {QStringLiteral("Avery 5163"), 40, 127, 40, 127, 1016, 508, 0, 47, 2, 5}; }
    static LabelStock avery5267() { return {QStringLiteral("Avery 5267"), 71, 127, 72, 127, 444, 127, 0, 80, 4, 20}; }
    // Three slips down a page.
    static LabelStock slip() { return {QStringLiteral("Slip"), 76, 76, 0, 0, 1947, 876, 13, 0, 1, 3}; }
};

// The sheet count shown before printing.
struct LabelCount
{
    int labels = 0;
    int perSheet = 1;

    int sheets() const { return perSheet > 0 ? (labels + perSheet - 1) / perSheet : 0; }
    QString sheetWords() const { return sheets() > 1 ? QStringLiteral("sheets of labels") : QStringLiteral("sheet of labels"); }
    // The last-sheet line shows only when more than one sheet and the last is partly used.
    bool showLastSheet() const { return sheets() > 1 && labels % perSheet != 0; }
    int lastSheetLabels() const { return labels - (sheets() - 1) * perSheet; }
    QString labelWord() const { return lastSheetLabels() == 1 ? QStringLiteral(" label") : QStringLiteral(" labels"); }

    QString needText() const { return QStringLiteral("You will need ") + QString::number(sheets()); }
    QString lastSheetText() const { return QStringLiteral("The last sheet will use"); }
};

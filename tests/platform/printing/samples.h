#pragma once

#include "platform/printing/canvas.h"
#include "platform/printing/labels.h"
#include "platform/printing/report.h"

#include <QStringList>
#include <functional>

// Documents the printing tests draw: small stand-ins for the real ones, built on
// the layer the way the program's documents are.

// The judges' single-line address list: Arial 10, the title indented 250 on every
// page, lines indented 150, pitch 1.4 x the font height, the first line at the
// fifth line position, a new page when the next line would reach four line
// positions from the bottom.
struct AddressListGeometry
{
    double pitch = 0;
    int firstLine = 5;
    int lastLine = 0;    // the last line position a line may take on a page
};
AddressListGeometry addressListGeometry(Canvas& canvas);
void drawAddressList(Canvas& canvas, const QStringList& lines);
QStringList sampleJudgeLines(int count);

// Award rows: height, category, level, call name, breed, owner, state.
ReportData sampleAwardData();
ReportLayout sampleAwardReport(const QColor& shading);

// A table of records for labels; expressions are evaluated by a callback here
// (the program's source evaluates them with the table layer).
class ListLabelSource : public LabelSource
{
public:
    ListLabelSource(QStringList columns, QList<QStringList> rows,
                    std::function<QString(const ListLabelSource&, const QString&)> evaluator = {});
    bool atEnd() const override { return m_row >= m_rows.size(); }
    void next() override { ++m_row; }
    QString field(const QString& name) const override;
    QString evaluate(const QString& expression) const override;
    int row() const { return m_row; }

private:
    QStringList m_columns;
    QList<QStringList> m_rows;
    std::function<QString(const ListLabelSource&, const QString&)> m_evaluator;
    int m_row = 0;
};

ListLabelSource sampleAddresses(int count);
LabelLayout sampleAddressLayout();

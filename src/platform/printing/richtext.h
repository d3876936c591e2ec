#pragma once

#include "platform/printing/printjob.h"

#include <QByteArray>
#include <QList>
#include <QMarginsF>
#include <QString>

class QTextCursor;
class QTextDocument;

// Builds a text document in code, one paragraph per line: font, size, bold and
// tab stops in points, as the text listings and confirmations need.
class RichTextBuilder
{
public:
    explicit RichTextBuilder(QTextDocument& document);
    ~RichTextBuilder();

    RichTextBuilder& font(const QString& family, double points, bool bold = false);
    RichTextBuilder& bold(bool on);
    RichTextBuilder& size(double points);
    RichTextBuilder& tabStops(const QList<double>& points);
    // Appends a paragraph in the current font; tab characters stay in the text.
    RichTextBuilder& line(const QString& text = QString());

private:
    QTextDocument& m_document;
    QTextCursor* m_cursor;
    QString m_family = QStringLiteral("Arial");
    double m_points = 10;
    bool m_bold = false;
    QList<double> m_tabs;
    bool m_first = true;
};

// Points to the document's layout units and back (the layout works at 96 per inch).
constexpr double layoutUnitsPerPoint = 96.0 / 72.0;

// The document as RTF: font table, sizes, bold, tab stops, tabs, paragraphs;
// characters beyond ASCII as \uN.
QByteArray toRtf(const QTextDocument& document);
// The document as plain text, UTF-8 with CR LF line ends.
QByteArray toPlainTextFile(const QTextDocument& document);

// Writes .txt files as plain text and everything else as RTF. False with a reason on failure.
bool saveRichText(const QTextDocument& document, const QString& path, QString* error = nullptr);

struct RichPrintOptions
{
    QString title;                         // job name
    QMarginsF margins{25, 30, 15, 25};     // mm from the paper edge: left, top, right, bottom
    QString header;                        // right-aligned at the top of each page when not empty
    bool pageNumbers = false;              // "Page n" right-aligned at the bottom
    PrintFont headerFont = PrintFont{QStringLiteral("Courier New"), 10};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    bool askPrinter = true;
};

// Prints the document page by page with the options' margins, header and footer.
JobOutcome printRichText(QPrinter& printer, const QTextDocument& document, const RichPrintOptions& options,
                         const PrintServices& services);

#include "platform/printing/richtext.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>
#include <memory>

RichTextBuilder::RichTextBuilder(QTextDocument& document)
    : m_document(document), m_cursor(new QTextCursor(&document))
{
    m_cursor->movePosition(QTextCursor::End);
    m_first = document.isEmpty();
}

RichTextBuilder::~RichTextBuilder()
{
    delete m_cursor;
}

RichTextBuilder& RichTextBuilder::font(const QString& family, double points, bool bold)
{
    m_family = family;
    m_points = points;
    m_bold = bold;
    return *this;
}

RichTextBuilder& RichTextBuilder::bold(bool on)
{
    m_bold = on;
    return *this;
}

RichTextBuilder& RichTextBuilder::size(double points)
{
    m_points = points;
    return *this;
}

RichTextBuilder& RichTextBuilder::tabStops(const QList<double>& points)
{
    m_tabs = points;
    return *this;
}

RichTextBuilder& RichTextBuilder::line(const QString& text)
{
    QTextBlockFormat block;
    QList<QTextOption::Tab> tabs;
    for (double p : m_tabs)
        tabs.append(QTextOption::Tab(p * layoutUnitsPerPoint, QTextOption::LeftTab));
    block.setTabPositions(tabs);
    QTextCharFormat chars;
    chars.setFontFamilies({m_family});
    chars.setFontPointSize(m_points);
    chars.setFontWeight(m_bold ? QFont::Bold : QFont::Normal);
    if (m_first) {
        m_cursor->setBlockFormat(block);
        m_cursor->setBlockCharFormat(chars);
        m_first = false;
    } else {
        m_cursor->insertBlock(block, chars);
    }
    m_cursor->insertText(text, chars);
    return *this;
}

namespace {

QString familyOf(const QTextCharFormat& format, const QTextDocument& document)
{
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    return document.defaultFont().family();
}

double pointsOf(const QTextCharFormat& format, const QTextDocument& document)
{
    const double p = format.fontPointSize();
    if (p > 0)
        return p;
    const double d = document.defaultFont().pointSizeF();
    return d > 0 ? d : 10;
}

// The Windows-1252 byte for a character, or '?' when it has none: what readers
// without Unicode show in place of \uN.
unsigned char ansiByte(char16_t c)
{
    if (c >= 0xA0 && c <= 0xFF)
        return static_cast<unsigned char>(c);
    static const char16_t high[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                      0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
                                      0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    for (int i = 0; i < 32; ++i)
        if (high[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    return '?';
}

void appendEscaped(QByteArray& out, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += char(c);
        } else if (c == u'\t') {
            out += "\\tab ";
        } else if (c == 0x2028) {
            out += "\\line ";
        } else if (c >= 0x20 && c < 0x80) {
            out += char(c);
        } else if (c < 0x20) {
            continue;
        } else {
            // \uN takes a signed 16-bit number. The fallback is written as \'hh: some
            // readers swallow the rest of a word after a literal fallback character.
            out += "\\u" + QByteArray::number(int(qint16(c))) + "\\'"
                   + QByteArray::number(ansiByte(c), 16).rightJustified(2, '0');
        }
    }
}

}

QByteArray toRtf(const QTextDocument& document)
{
    QStringList fonts;
    const auto fontIndex = [&](const QString& family) {
        qsizetype i = fonts.indexOf(family);
        if (i < 0) {
            fonts.append(family);
            i = fonts.size() - 1;
        }
        return i;
    };
    fontIndex(QStringLiteral("Arial"));

    QByteArray body;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        body += "\\pard";
        for (const QTextOption::Tab& tab : block.blockFormat().tabPositions())
            body += "\\tx" + QByteArray::number(qRound(tab.position / layoutUnitsPerPoint * 20));
        const QTextCharFormat blockChars = block.charFormat();
        int lastFont = -1;
        int lastSize = -1;
        int lastBold = -1;
        const auto setFormat = [&](const QTextCharFormat& format) {
            const int f = int(fontIndex(familyOf(format, document)));
            const int size = qRound(pointsOf(format, document) * 2);
            const int bold = format.fontWeight() >= QFont::DemiBold ? 1 : 0;
            if (f != lastFont)
                body += "\\f" + QByteArray::number(f);
            if (size != lastSize)
                body += "\\fs" + QByteArray::number(size);
            if (bold != lastBold)
                body += bold ? "\\b" : "\\b0";
            body += ' ';
            lastFont = f;
            lastSize = size;
            lastBold = bold;
        };
        bool any = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            setFormat(fragment.charFormat());
            appendEscaped(body, fragment.text());
            any = true;
        }
        if (!any)
            setFormat(blockChars);
        body += "\\par\r\n";
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
    for (int i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil ";
        appendEscaped(out, fonts[i]);
        out += ";}";
    }
    out += "}\r\n\\viewkind4\r\n" + body + "}\r\n";
    return out;
}

QByteArray toPlainTextFile(const QTextDocument& document)
{
    QString text = document.toPlainText();
    text.replace(QChar(0x2028), QLatin1Char('\n'));
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    if (!text.isEmpty() && !text.endsWith(QLatin1String("\r\n")))
        text += QLatin1String("\r\n");
    return text.toUtf8();
}

bool saveRichText(const QTextDocument& document, const QString& path, QString* error)
{
    const bool plain = QFileInfo(path).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(plain ? toPlainTextFile(document) : toRtf(document)) < 0
        || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

JobOutcome printRichText(QPrinter& printer, const QTextDocument& document, const RichPrintOptions& options,
                         const PrintServices& services)
{
    JobRequest request;
    request.title = options.title;
    request.askPrinter = options.askPrinter;
    request.orientation = options.orientation;
    request.fromPaperEdge = true;
    request.texts.completed.clear();

    // Laid out at 96 per inch and drawn scaled, so fonts and tab stops keep their sizes.
    std::unique_ptr<QTextDocument> copy(document.clone());
    const auto draw = [&](Canvas& canvas) {
        const double mm = 96.0 / 25.4;
        const double paperW = canvas.pageWidth() * 96.0 / 300;
        const double paperH = canvas.pageHeight() * 96.0 / 300;
        const QRectF body(options.margins.left() * mm, options.margins.top() * mm,
                          paperW - (options.margins.left() + options.margins.right()) * mm,
                          paperH - (options.margins.top() + options.margins.bottom()) * mm);
        copy->setPageSize(QSizeF(body.width(), body.height()));
        copy->setDocumentMargin(0);
        const int pages = qMax(1, int(std::ceil(copy->size().height() / body.height() - 1e-6)));
        QPainter* painter = canvas.painter();
        for (int p = 0; p < pages && canvas.keepGoing(); ++p) {
            if (p > 0)
                canvas.newPage();
            if (painter) {
                painter->save();
                const double scale = canvas.deviceFactorX() * 300 / 96;
                painter->scale(scale, scale);
                painter->translate(body.left(), body.top() - p * body.height());
                const QRectF clip(0, p * body.height(), body.width(), body.height());
                painter->setClipRect(clip);
                QAbstractTextDocumentLayout::PaintContext context;
                // Half a unit short, so the first line of the next page is not also drawn (clipped away) here.
                context.clip = clip.adjusted(0, 0, 0, -0.5);
                copy->documentLayout()->draw(painter, context);
                painter->restore();
            }
            canvas.setFont(options.headerFont);
            const double right = (paperW - options.margins.right() * mm) * 300 / 96;
            if (!options.header.isEmpty()) {
                const double y = (options.margins.top() * mm) * 300 / 96 - 2 * canvas.textHeight();
                canvas.textOut(right - canvas.textWidth(options.header), y, options.header);
            }
            if (options.pageNumbers) {
                const QString text = QStringLiteral("Page %1").arg(p + 1);
                const double y = (paperH - options.margins.bottom() * mm) * 300 / 96 + canvas.textHeight();
                canvas.textOut(right - canvas.textWidth(text), y, text);
            }
        }
    };
    return printDocument(printer, request, draw, services);
}

#include "platform/printing/report.h"

#include <QPageSize>

using PrintUnits::fromMillimetres;

ReportElement ReportElement::label(const QRectF& mm, const QString& text, const PrintFont& font, int align)
{
    ReportElement e;
    e.kind = Text;
    e.rect = mm;
    e.text = text;
    e.font = font;
    e.align = align;
    return e;
}

ReportElement ReportElement::field(const QRectF& mm, const QString& field, const PrintFont& font, int align)
{
    ReportElement e = label(mm, field, font, align);
    e.kind = Field;
    return e;
}

ReportElement ReportElement::computed(const QRectF& mm, std::function<QString(const ReportContext&)> fn,
                                      const PrintFont& font, int align)
{
    ReportElement e = label(mm, QString(), font, align);
    e.kind = Computed;
    e.compute = std::move(fn);
    return e;
}

ReportElement ReportElement::hline(double x, double y, double width, double pen)
{
    ReportElement e;
    e.kind = HorizontalLine;
    e.rect = QRectF(x, y, width, 0);
    e.pen = pen;
    return e;
}

ReportElement ReportElement::vline(double x, double y, double height, double pen)
{
    ReportElement e;
    e.kind = VerticalLine;
    e.rect = QRectF(x, y, 0, height);
    e.pen = pen;
    return e;
}

ReportElement ReportElement::box(const QRectF& mm, const QColor& fill, bool frame)
{
    ReportElement e;
    e.kind = Box;
    e.rect = mm;
    e.fill = fill;
    e.frame = frame;
    return e;
}

ReportElement ReportElement::ellipse(const QRectF& mm, double pen)
{
    ReportElement e;
    e.kind = Ellipse;
    e.rect = mm;
    e.pen = pen;
    return e;
}

ReportElement ReportElement::paragraph(const QRectF& mm, const QList<TextRun>& runs, const PrintFont& font)
{
    ReportElement e;
    e.kind = Paragraph;
    e.rect = mm;
    e.runs = runs;
    e.font = font;
    return e;
}

ReportElement ReportElement::checkBox(const QRectF& mm)
{
    ReportElement e;
    e.kind = CheckBox;
    e.rect = mm;
    return e;
}

ReportElement ReportElement::custom(const QRectF& mm, std::function<void(Canvas&, const QRectF&, const ReportContext&)> fn)
{
    ReportElement e;
    e.kind = Custom;
    e.rect = mm;
    e.paint = std::move(fn);
    return e;
}

QPageLayout ReportLayout::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::Letter), orientation, margins, QPageLayout::Millimeter);
}

QSizeF ReportLayout::printableUnits() const
{
    const QRectF r = pageLayout().paintRect(QPageLayout::Millimeter);
    return QSizeF(fromMillimetres(r.width()), fromMillimetres(r.height()));
}

namespace {

QRectF unitsRect(const QRectF& mm, double x, double y)
{
    return QRectF(x + fromMillimetres(mm.x()), y + fromMillimetres(mm.y()),
                  fromMillimetres(mm.width()), fromMillimetres(mm.height()));
}

// Words of mixed bold runs, wrapped at the box width, each line top-aligned.
void drawParagraph(Canvas& canvas, const QRectF& box, const ReportElement& e)
{
    struct Word { QString text; bool bold; };
    QList<QList<Word>> lines(1);
    double lineWidth = 0;
    PrintFont font = e.font;
    const auto width = [&](const QString& text, bool bold) {
        font.bold = bold;
        canvas.setFont(font);
        return canvas.textWidth(text);
    };
    for (const TextRun& run : e.runs) {
        const QStringList pieces = run.text.split(QLatin1Char(' '));
        for (int i = 0; i < pieces.size(); ++i) {
            // A blank belongs to the word after it, except at the start of a line.
            const QString word = (i > 0 ? QStringLiteral(" ") : QString()) + pieces[i];
            if (word.isEmpty())
                continue;
            const double w = width(word, run.bold);
            if (lineWidth + w > box.width() && lineWidth > 0 && i > 0) {
                lines.append(QList<Word>());
                lineWidth = 0;
                const QString bare = pieces[i];
                lines.last().append(Word{bare, run.bold});
                lineWidth = width(bare, run.bold);
                continue;
            }
            lines.last().append(Word{word, run.bold});
            lineWidth += w;
        }
    }
    font.bold = false;
    canvas.setFont(font);
    const double lineHeight = canvas.textHeight();
    double y = box.y();
    for (const QList<Word>& line : lines) {
        if (y + lineHeight > box.bottom() + 0.5)
            break;
        double x = box.x();
        for (const Word& w : line) {
            font.bold = w.bold;
            canvas.setFont(font);
            canvas.textOut(x, y, w.text);
            x += canvas.textWidth(w.text);
        }
        y += lineHeight;
    }
}

void drawElement(Canvas& canvas, const ReportElement& e, double x, double y, const ReportContext& c)
{
    if (e.visible && !e.visible(c))
        return;
    const QRectF r = unitsRect(e.rect, x, y);
    switch (e.kind) {
    case ReportElement::Text:
    case ReportElement::Field:
    case ReportElement::Computed: {
        const QString text = e.kind == ReportElement::Text ? e.text
                           : e.kind == ReportElement::Field ? c.value(e.text)
                                                            : (e.compute ? e.compute(c) : QString());
        canvas.setFont(e.font);
        const int vertical = (e.align & Qt::AlignVertical_Mask) ? 0 : int(Qt::AlignTop);
        canvas.textInBox(r, e.align | vertical | (e.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine), text);
        break;
    }
    case ReportElement::HorizontalLine:
        canvas.line(r.left(), r.top(), r.right(), r.top(), e.pen);
        break;
    case ReportElement::VerticalLine:
        canvas.line(r.left(), r.top(), r.left(), r.bottom(), e.pen);
        break;
    case ReportElement::Box: {
        const QColor fill = e.fillAt ? e.fillAt(c) : e.fill;
        if (fill.isValid())
            canvas.fillRect(r, fill);
        if (e.frame)
            canvas.rectangle(r, e.pen);
        break;
    }
    case ReportElement::Ellipse:
        canvas.ellipse(r, e.pen);
        break;
    case ReportElement::Paragraph:
        drawParagraph(canvas, r, e);
        break;
    case ReportElement::CheckBox:
        canvas.rectangle(r, e.pen);
        break;
    case ReportElement::Custom:
        if (e.paint)
            e.paint(canvas, r, c);
        break;
    }
}

class Renderer
{
public:
    Renderer(Canvas& canvas, const ReportLayout& layout, const ReportData& data)
        : m_canvas(canvas), m_layout(layout), m_data(data)
    {
        m_columns = layout.columnLefts.isEmpty() ? QList<double>{0.0} : layout.columnLefts;
        m_bottom = canvas.pageHeight() - units(layout.pageFooter) - units(layout.columnFooter);
    }

    void run()
    {
        const int rows = m_data.rowCount();
        const int groupCount = int(m_layout.groups.size());
        startPage(true);
        for (int r = 0; r < rows; ++r) {
            if (!m_canvas.keepGoing())
                return;
            m_currentRow = r;
            int breakLevel = r == 0 ? 0 : groupCount;
            for (int g = 0; r > 0 && g < groupCount; ++g)
                if (keyAt(g, r) != keyAt(g, r - 1)) {
                    breakLevel = g;
                    break;
                }
            for (int g = groupCount - 1; r > 0 && g >= breakLevel; --g)
                place(m_layout.groups[g].footer, r - 1);
            for (int g = breakLevel; g < groupCount; ++g) {
                const ReportGroup& group = m_layout.groups[g];
                if (group.newPage && !m_bodyEmpty)
                    breakPage(g);
                else if (group.keepTogether && !m_bodyEmpty) {
                    const double need = groupHeight(g, r);
                    if (m_y + need > m_bottom && need <= m_bottom - m_bodyTop)
                        breakPage(g);
                }
                m_openGroups = g;
                place(group.header, r);
            }
            m_openGroups = groupCount;
            place(m_layout.detail, r);
        }
        for (int g = groupCount - 1; rows > 0 && g >= 0; --g)
            place(m_layout.groups[g].footer, rows - 1);
        m_openGroups = 0;
        place(m_layout.summary, rows - 1);
        endPage();
    }

private:
    double units(const ReportBand& band) const { return fromMillimetres(band.height); }

    QString keyAt(int g, int row) const
    {
        return m_layout.groups[g].keyOf(context(row));
    }

    ReportContext context(int row) const
    {
        ReportContext c;
        c.data = &m_data;
        c.row = row;
        c.page = m_page;
        return c;
    }

    double columnX() const { return fromMillimetres(m_columns[m_column]); }

    void draw(const ReportBand& band, double x, double y, int row)
    {
        const ReportContext c = context(row);
        for (const ReportElement& e : band.elements)
            drawElement(m_canvas, e, x, y, c);
    }

    // A band in the flow: moves on to the next column or page when it does not fit.
    void place(const ReportBand& band, int row)
    {
        if (!band.present())
            return;
        const double h = units(band);
        if (m_y + h > m_bottom + 0.01 && !m_bodyEmpty)
            nextColumn();
        draw(band, columnX(), m_y, row);
        m_y += h;
        m_bodyEmpty = false;
    }

    void startPage(bool first)
    {
        m_y = 0;
        m_column = 0;
        if (m_layout.pageHeader.present()) {
            draw(m_layout.pageHeader, 0, m_y, m_currentRow);
            m_y += units(m_layout.pageHeader);
        }
        if (first && m_layout.title.present()) {
            draw(m_layout.title, 0, m_y, 0);
            m_y += units(m_layout.title);
        }
        m_columnTop = m_y;
        startColumn();
    }

    void startColumn()
    {
        m_y = m_columnTop;
        if (m_layout.columnHeader.present()) {
            draw(m_layout.columnHeader, columnX(), m_y, m_currentRow);
            m_y += units(m_layout.columnHeader);
        }
        m_bodyTop = m_y;
        m_bodyEmpty = true;
    }

    void endColumn()
    {
        if (m_layout.columnFooter.present())
            draw(m_layout.columnFooter, columnX(), m_bottom, m_currentRow);
    }

    void endPage()
    {
        endColumn();
        if (m_layout.pageFooter.present())
            draw(m_layout.pageFooter, 0, m_canvas.pageHeight() - units(m_layout.pageFooter), m_currentRow);
    }

    void nextColumn()
    {
        if (m_column + 1 < m_columns.size()) {
            endColumn();
            ++m_column;
            startColumn();
            reprintHeaders(m_openGroups);
        } else {
            breakPage(m_openGroups);
        }
    }

    // A new page; the headers of the open groups before `upTo` that ask for it come again.
    void breakPage(int upTo)
    {
        endPage();
        m_canvas.newPage();
        ++m_page;
        startPage(false);
        reprintHeaders(upTo);
    }

    void reprintHeaders(int upTo)
    {
        const int saved = m_openGroups;
        for (int g = 0; g < upTo && g < m_layout.groups.size(); ++g) {
            const ReportGroup& group = m_layout.groups[g];
            if (group.reprintHeader && group.header.present()) {
                draw(group.header, columnX(), m_y, m_currentRow);
                m_y += units(group.header);
            }
        }
        m_openGroups = saved;
    }

    // The height of group g starting at row r: its bands, the inner groups' bands and the details.
    double groupHeight(int g, int r) const
    {
        const int groupCount = int(m_layout.groups.size());
        double h = units(m_layout.groups[g].header) + units(m_layout.groups[g].footer);
        int end = r;
        while (end < m_data.rowCount() && keyAt(g, end) == keyAt(g, r)) {
            bool sameOuter = true;
            for (int o = 0; o < g; ++o)
                sameOuter = sameOuter && keyAt(o, end) == keyAt(o, r);
            if (!sameOuter)
                break;
            ++end;
        }
        for (int row = r; row < end; ++row) {
            h += units(m_layout.detail);
            for (int inner = g + 1; inner < groupCount; ++inner) {
                const bool starts = row == r || keyAt(inner, row) != keyAt(inner, row - 1);
                if (starts)
                    h += units(m_layout.groups[inner].header) + units(m_layout.groups[inner].footer);
            }
        }
        return h;
    }

    Canvas& m_canvas;
    const ReportLayout& m_layout;
    const ReportData& m_data;
    QList<double> m_columns;
    double m_bottom = 0;
    double m_y = 0;
    double m_columnTop = 0;
    double m_bodyTop = 0;
    bool m_bodyEmpty = true;
    int m_column = 0;
    int m_page = 1;
    int m_openGroups = 0;
    int m_currentRow = 0;
};

}

void renderReport(Canvas& canvas, const ReportLayout& layout, const ReportData& data)
{
    Renderer(canvas, layout, data).run();
}

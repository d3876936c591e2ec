#include "samples.h"

#include "platform/printing/linepager.h"

AddressListGeometry addressListGeometry(Canvas& canvas)
{
    canvas.setFont(PrintFont::arial(10));
    AddressListGeometry g;
    g.pitch = 1.4 * canvas.textHeight();
    // A line at position n may be printed while n + 1 is still short of the bottom four positions.
    g.lastLine = LinePager::linesIn(canvas.pageHeight(), g.pitch) - 5;
    return g;
}

void drawAddressList(Canvas& canvas, const QStringList& lines)
{
    const AddressListGeometry g = addressListGeometry(canvas);
    LinePager pager(0, g.pitch, g.lastLine);
    const auto title = [&] {
        canvas.setFont(PrintFont::arial(10));
        canvas.textOut(250, pager.yOf(1), QStringLiteral("Judge's Address List"));
        pager.setLine(g.firstLine);
    };
    title();
    for (const QString& line : lines) {
        if (!canvas.keepGoing())
            return;
        if (pager.pageFull()) {
            canvas.newPage();
            title();
        }
        textOutTabbed(canvas, 150, pager.y(), line);
        pager.advance();
    }
}

QStringList sampleJudgeLines(int count)
{
    QStringList lines{QStringLiteral("Name        Phone  Address   Email")};
    for (int i = 1; i < count; ++i)
        lines.append(QStringLiteral("Judge%1 Person  \t555-010-%2\t%1 Main St  Springfield, IL  62704\tj%1@example.org")
                         .arg(i).arg(i, 4, 10, QLatin1Char('0')));
    return lines;
}

ReportData sampleAwardData()
{
    ReportData data({"height", "htcat", "lev", "call_name", "breed", "owner", "state"});
    const QStringList dogs{"Ace", "Bolt", "Comet", "Dash", "Echo", "Flash", "Gizmo", "Hero"};
    int n = 0;
    for (const char* height : {"12", "16"})
        for (const char* cat : {"R", "V"})
            for (int lev = 1; lev <= 2; ++lev) {
                const QString dog = dogs[n % dogs.size()] + QString::number(n);
                data.addRow({height, cat, QString::number(lev), dog, "Border Collie", "Pat Owner", "IL"});
                ++n;
            }
    return data;
}

ReportLayout sampleAwardReport(const QColor& shading)
{
    ReportLayout r;
    r.name = QStringLiteral("High In Standard Awards");
    const double width = 215.9 - 2 * 12.7;
    r.pageHeader.height = 14;
    r.pageHeader.add(ReportElement::label({0, 0, width, 5}, "Sample Club - June 5-6, 2004", PrintFont::arial(10, true), Qt::AlignHCenter));
    r.pageHeader.add(ReportElement::label({0, 6, width, 6}, "High In Standard Awards", PrintFont::arial(12, true), Qt::AlignHCenter));

    ReportGroup height;
    height.field = QStringLiteral("height");
    ReportGroup category;
    category.key = [](const ReportContext& c) { return c.value("height") + c.value("htcat"); };
    category.keepTogether = true;
    category.header.height = 8;
    ReportElement bar = ReportElement::box({0, 1, width, 6});
    bar.fillAt = [shading](const ReportContext&) { return shading; };
    category.header.add(bar);
    category.header.add(ReportElement::computed({0, 1.5, width, 5}, [](const ReportContext& c) {
        const QString word = c.value("htcat") == "R" ? "Regular" : "Veteran";
        return c.value("height") + "\" " + word;
    }, PrintFont::arial(10, true), Qt::AlignHCenter));
    r.groups = {height, category};

    r.detail.height = 6;
    const QList<double> cuts{0, 25, 70, 115, 170, width};
    r.detail.add(ReportElement::box({0, 0, width, 6}, QColor(), true));
    for (int i = 1; i + 1 < cuts.size(); ++i)
        r.detail.add(ReportElement::vline(cuts[i], 0, 6));
    r.detail.add(ReportElement::computed({1, 0.8, 23, 5}, [](const ReportContext& c) { return "Level " + c.value("lev"); },
                                         PrintFont::arial(10)));
    r.detail.add(ReportElement::field({26, 0.8, 43, 5}, "call_name", PrintFont::arial(10)));
    r.detail.add(ReportElement::field({71, 0.8, 43, 5}, "breed", PrintFont::arial(10)));
    r.detail.add(ReportElement::field({116, 0.8, 53, 5}, "owner", PrintFont::arial(10)));
    r.detail.add(ReportElement::field({171, 0.8, width - 172, 5}, "state", PrintFont::arial(10)));

    r.pageFooter.height = 8;
    r.pageFooter.add(ReportElement::computed({0, 2, width, 5}, [](const ReportContext& c) { return "Page " + QString::number(c.page); },
                                             PrintFont::arial(8), Qt::AlignHCenter));
    return r;
}

ListLabelSource::ListLabelSource(QStringList columns, QList<QStringList> rows,
                                 std::function<QString(const ListLabelSource&, const QString&)> evaluator)
    : m_columns(std::move(columns)), m_rows(std::move(rows)), m_evaluator(std::move(evaluator))
{
}

QString ListLabelSource::field(const QString& name) const
{
    const qsizetype i = m_columns.indexOf(name.toLower());
    return atEnd() || i < 0 ? QString() : m_rows[m_row].value(i);
}

QString ListLabelSource::evaluate(const QString& expression) const
{
    return m_evaluator ? m_evaluator(*this, expression) : QString();
}

ListLabelSource sampleAddresses(int count)
{
    QList<QStringList> rows;
    for (int i = 1; i <= count; ++i)
        rows.append({QStringLiteral("Owner%1").arg(i), QStringLiteral("Sample"), QStringLiteral("%1 Oak Lane").arg(i * 10),
                     QStringLiteral("Springfield"), QStringLiteral("IL"), QStringLiteral("62704")});
    return ListLabelSource({"first", "last", "address", "city", "state", "zip"}, rows,
                           [](const ListLabelSource& s, const QString& expr) {
                               if (expr == "name")
                                   return s.field("first") + ' ' + s.field("last");
                               if (expr == "place")
                                   return s.field("city") + ", " + s.field("state") + "   " + s.field("zip");
                               return QString();
                           });
}

LabelLayout sampleAddressLayout()
{
    LabelLayout layout;
    layout.stock = LabelStock::avery5160();
    layout.add({"name", LabelElement::Expression, "name", 15, 20, 220, PrintFont::arial(9), Qt::AlignLeft, true});
    layout.add({"address", LabelElement::Field, "address", 15, 37, 220, PrintFont::arial(9), Qt::AlignLeft, true});
    layout.add({"place", LabelElement::Expression, "place", 15, 54, 220, PrintFont::arial(9), Qt::AlignLeft, true});
    return layout;
}

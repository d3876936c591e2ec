#include "setup/judgelist.h"

#include "platform/printing/canvas.h"
#include "platform/printing/linepager.h"
#include "platform/xbase/table.h"

namespace setup {

namespace {

QString field(const xbase::RecordView& r, const char* name)
{
    QString s = r.text(QLatin1String(name));
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return s.left(n);
}

} // namespace

QString judgeAddressLine(const xbase::RecordView& j)
{
    return field(j, "jfirst") + QLatin1Char(' ') + field(j, "jlast") + QStringLiteral("  \t") + field(j, "clubphone")
         + QLatin1Char('\t') + field(j, "jaddress") + QStringLiteral("  ") + field(j, "jcity") + QStringLiteral(", ")
         + field(j, "jstate") + QStringLiteral("  ") + field(j, "jzip") + QLatin1Char('\t') + field(j, "clubemail");
}

QStringList judgeAddressLines(xbase::Cursor& judges)
{
    QStringList lines{kJudgeListHeading};
    for (bool ok = judges.first(); ok && !judges.eof(); ok = judges.next())
        if (!judges.isDeleted())
            lines.append(judgeAddressLine(judges));
    return lines;
}

void drawJudgeAddressList(Canvas& canvas, const QStringList& lines)
{
    canvas.setFont(PrintFont::arial(10));
    const double pitch = 1.4 * canvas.textHeight();
    // Line positions count from the top of the page; a line may take position n while
    // n + 1 is still short of the last four.
    LinePager pager(0, pitch, LinePager::linesIn(canvas.pageHeight(), pitch) - 5);
    const int firstLine = 5;
    const auto title = [&] {
        canvas.textOut(250, pager.yOf(1), kJudgeListTitle);
        pager.setLine(firstLine);
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

} // namespace setup

#include "app/entrylogic.h"

#include "data/dmod.h"
#include "platform/xbase/table.h"

#include <algorithm>

namespace entry {

const QList<EntryClass>& entryClasses()
{
    static const QList<EntryClass> classes = {
        {QStringLiteral("Standard"), QStringLiteral("std")},  {QStringLiteral("Colors"), QStringLiteral("clrs")},
        {QStringLiteral("Wildcard"), QStringLiteral("wild")}, {QStringLiteral("Snooker"), QStringLiteral("snok")},
        {QStringLiteral("Jackpot"), QStringLiteral("jack")},  {QStringLiteral("FullHouse"), QStringLiteral("full")},
        {QStringLiteral("Jumpers"), QStringLiteral("jump")},
    };
    return classes;
}

namespace {
const QString kLevelChars = QStringLiteral("12345C");
}

QChar levelAt(int position)
{
    return position >= 1 && position <= kLevels ? kLevelChars.at(position - 1) : QChar(u' ');
}

int levelPosition(QChar level)
{
    if (level.isSpace() || level.isNull())
        return 0;
    return int(kLevelChars.indexOf(level.toUpper())) + 1;
}

QString runField(int day, int row, int kind)
{
    return QStringLiteral("d%1_%2_%3").arg(day).arg(entryClasses().at(row - 1).code).arg(kind);
}

QString levelField(int day, int row)
{
    const QString code = entryClasses().at(row - 1).code;
    return QStringLiteral("d%1_%2_%3").arg(day).arg(code, row == 1 ? QStringLiteral("lev") : QStringLiteral("lv"));
}

int checkBoxNumber(int day, int row, int kind)
{
    return (day - 1) * kClasses * kRunBoxes + (row - 1) * kRunBoxes + kind;
}

int speedButtonNumber(int day, int row, int position)
{
    return (day - 1) * kClasses * kLevels + (row - 1) * kLevels + position;
}

TrialDays readTrialDays(const xbase::RecordView& showDates)
{
    TrialDays t;
    t.trialNumber = int(showDates.toInt("show_num"));
    t.numDays = int(std::clamp<qint64>(showDates.toInt("num_days"), 0, kDays));
    t.showDate = showDates.toDate("show_date");
    static const char* const levelNames[kLevels] = {"lev1", "lev2", "lev3", "lev4", "lev5", "levc"};
    for (int d = 1; d <= kDays; ++d) {
        DayOffer& day = t.days[d - 1];
        const QString prefix = QStringLiteral("d%1_").arg(d);
        for (int l = 0; l < kLevels; ++l)
            day.levels[l] = showDates.toBool(prefix + QLatin1String(levelNames[l]));
        for (int r = 1; r <= kClasses; ++r)
            day.runs[r - 1] = int(showDates.toInt(prefix + entryClasses().at(r - 1).code));
    }
    return t;
}

std::optional<TrialDays> findTrialDays(xbase::Table& showDates, int trialNumber)
{
    showDates.setCurrentTag(QStringLiteral("SHOWNUM"));
    if (!showDates.seek(data::ShowDatesKey(trialNumber)))
        return std::nullopt;
    return readTrialDays(showDates);
}

QString dayTabCaption(const QDate& showDate, int day, int runCount)
{
    // English names whatever the locale: the secretary's forms print them so.
    static const char* const names[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    const QDate date = showDate.addDays(day - 1);
    const QString weekday = date.isValid() ? QLatin1String(names[date.dayOfWeek() - 1]) : QStringLiteral("???");
    return weekday + QLatin1Char('/') + QString::number(runCount).rightJustified(4, QLatin1Char(' '));
}

std::array<int, kDays> countRunsPerDay(const xbase::Table& entries, int numDays)
{
    std::array<int, kDays> counts{};
    if (!entries.isOpen())
        return counts;
    numDays = qBound(0, numDays, kDays);
    // Field numbers once, not per record.
    std::array<std::array<int, 2 * kClasses>, kDays> fields{};
    for (int d = 1; d <= numDays; ++d)
        for (int r = 1; r <= kClasses; ++r)
            for (int k = 1; k <= 2; ++k)
                fields[d - 1][(r - 1) * 2 + k - 1] = entries.fieldNumber(runField(d, r, k));
    xbase::ScanCursor scan = entries.scan();
    scan.setCurrentTag(QString());
    for (bool more = scan.first(); more && !scan.eof(); more = scan.next()) {
        if (scan.isDeleted())
            continue;
        for (int d = 0; d < numDays; ++d)
            for (const int f : fields[d])
                if (f > 0 && scan.toBool(f))
                    ++counts[d];
    }
    return counts;
}

QChar categoryLetter(Category category)
{
    switch (category) {
    case Category::Regular: return u'R';
    case Category::Veteran: return u'V';
    case Category::Enthusiast: return u'T';
    case Category::Specialist: return u'S';
    }
    return u'R';
}

std::optional<Category> categoryFromLetter(QChar letter)
{
    switch (letter.toUpper().unicode()) {
    case u'R': return Category::Regular;
    case u'V': return Category::Veteran;
    case u'T': return Category::Enthusiast;
    case u'S': return Category::Specialist;
    default: return std::nullopt;
    }
}

QString heightText(int inches)
{
    return inches > 0 ? QString::number(inches).rightJustified(2, QLatin1Char(' ')) : QString();
}

int heightValue(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

std::optional<int> proposedHeight(Category category, int regularHeight)
{
    if (regularHeight <= 0)
        return std::nullopt;
    int h = regularHeight;
    if (category == Category::Veteran || category == Category::Enthusiast)
        h -= 4;
    else if (category == Category::Specialist)
        h -= 8;
    return h <= 0 ? 4 : h;
}

SecondHeight secondHeightForMark(Category mark, int inches)
{
    const QString h = heightText(inches);
    if (mark == Category::Specialist)
        return {u'S', QString(), h, QStringLiteral("2")};
    return {categoryLetter(mark), h, QString(), QStringLiteral("1")};
}

SecondHeight secondHeightForAnswer(Category answer, int inches)
{
    const QString h = heightText(inches);
    if (answer == Category::Specialist)
        return {u'S', std::nullopt, h, QStringLiteral("2")};
    return {categoryLetter(answer), h, std::nullopt, QStringLiteral("1")};
}

std::optional<QString> missingLevel(const std::function<bool(int day)>& dayShown,
                                    const std::function<RowState(int day, int row)>& rowState)
{
    for (int d = 1; d <= kDays; ++d) {
        if (!dayShown(d))
            continue;
        for (int r = 1; r <= kClasses; ++r) {
            const RowState s = rowState(d, r);
            if ((s.run1 || s.run2) && !s.hasLevel)
                return QStringLiteral("Day %1 - %2").arg(d).arg(entryClasses().at(r - 1).caption);
        }
    }
    return std::nullopt;
}

int clearOrphanLevels(xbase::Table& entries, int numDays)
{
    int cleared = 0;
    for (int d = 1; d <= qBound(0, numDays, kDays); ++d)
        for (int r = 1; r <= kClasses; ++r) {
            const QString level = levelField(d, r);
            if (entries.isBlank(level))
                continue;
            if (!entries.toBool(runField(d, r, 1)) && !entries.toBool(runField(d, r, 2))) {
                entries.setBlank(level);
                ++cleared;
            }
        }
    return cleared;
}

namespace text {

QString levelQuestion()
{
    return QStringLiteral("You have not Checked-Off the Class Runs!\r\n\r\nIs this for Both Runs, the First Run or Run-2 ?\r\n\r\n");
}

QString noRegularHeight()
{
    return QStringLiteral("No Regular Height Specified - please do so");
}

QString secondHeightQuestion()
{
    return QStringLiteral("You have selected a Veteran/Enthusiast/Specialist Height;but have not checked-off either the "
                          "Veteran or Enthusiast or Specialist box.;;        Is this a ?");
}

QString levelMissingOnSave(const QString& dayAndClass)
{
    return QStringLiteral("Opps!  You have Checked-Off ;") + dayAndClass
        + QStringLiteral(" classes but NOT a Level;;    Please correct.;;") + QStringLiteral("Next time,  just Check-Off the LEVEL!!");
}

QString levelMissingOnPost(const QString& dayAndClass)
{
    return QStringLiteral("You have Checked-Off ;") + dayAndClass + QStringLiteral(" classes but NOT a Level; Please correct.;")
        + QStringLiteral("Then SAVE your changes;;") + QStringLiteral("Next Time just select the Level!!");
}

QString ownerNameNotice()
{
    return QStringLiteral("Changes to an Owner's Name - Not Permitted\r\n\r\nOwner must contact AGX to revise records\r\nso "
                          "that Titles are printed correctly.");
}

QString recordStatus(quint32 recNo, quint32 count)
{
    return QStringLiteral("Rec # ") + QString::number(recNo).rightJustified(5, QLatin1Char(' ')) + QStringLiteral(" / ")
        + QString::number(count).rightJustified(5, QLatin1Char(' '));
}

QString addingStatus(quint32 count)
{
    return QStringLiteral("Adding Rec # ") + QString::number(count + 1);
}

} // namespace text

} // namespace entry

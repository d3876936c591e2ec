#include "setup/judgeassign.h"

#include "platform/xbase/table.h"

#include <algorithm>

namespace setup {

namespace {

const QString kDayNum = QStringLiteral("day_num");
const QString kJudge = QStringLiteral("judge");
const QString kClassname = QStringLiteral("classname");
const QString kRound = QStringLiteral("round");
const QString kLevels = QStringLiteral("levels");

QString trimEnd(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1).isSpace())
        --n;
    return s.left(n);
}

// Record numbers of the day's rows of one judge (every judge when judge is null).
QList<quint32> rowsOf(const xbase::Table& shwJudges, int day, const QString& judge = {})
{
    QList<quint32> rows;
    xbase::ScanCursor scan = shwJudges.scan();
    scan.setCurrentTag({});
    const QString dayText = QString::number(day);
    for (bool ok = scan.first(); ok && !scan.eof(); ok = scan.next()) {
        if (scan.isDeleted() || scan.trimmed(kDayNum) != dayText)
            continue;
        if (judge.isNull() || trimEnd(scan.text(kJudge)) == trimEnd(judge))
            rows.append(scan.recNo());
    }
    return rows;
}

} // namespace

QString classDisplayText(const QString& classname, const QString& round, const QString& levels)
{
    const QString group = trimEnd(levels);
    return trimEnd(classname) + QStringLiteral(" Round ") + round.trimmed()
         + (group.size() == 1 ? QStringLiteral(" Level ") : QStringLiteral(" Levels ")) + group;
}

void fillJudgeWork(const xbase::Table& levGroup, xbase::Table& vjdgdum)
{
    vjdgdum.zap();
    xbase::ScanCursor scan = levGroup.scan();
    scan.setCurrentTag({});
    for (bool ok = scan.first(); ok && !scan.eof(); ok = scan.next()) {
        if (scan.isDeleted())
            continue;
        for (const char* field : {"group_a", "group_b", "group_c", "group_d"}) {
            const QString group = scan.trimmed(field);
            if (group.isEmpty())
                continue;
            vjdgdum.append();
            vjdgdum.setText(kDayNum, scan.text(kDayNum));
            vjdgdum.setText(kClassname, scan.text(kClassname));
            vjdgdum.setText(kRound, scan.text(kRound));
            vjdgdum.setText(kLevels, group);
            vjdgdum.post();
        }
    }
    vjdgdum.first();
}

QList<WorkItem> workItemsOfDay(const xbase::Table& vjdgdum, int day)
{
    QList<WorkItem> items;
    xbase::ScanCursor scan = vjdgdum.scan();
    scan.setCurrentTag({});
    const QString dayText = QString::number(day);
    for (bool ok = scan.first(); ok && !scan.eof(); ok = scan.next()) {
        if (scan.isDeleted() || scan.trimmed(kDayNum) != dayText)
            continue;
        items.append({classDisplayText(scan.text(kClassname), scan.text(kRound), scan.text(kLevels)), scan.recNo()});
    }
    std::stable_sort(items.begin(), items.end(), [](const WorkItem& a, const WorkItem& b) { return a.text < b.text; });
    return items;
}

QStringList judgesOfDay(const xbase::Table& shwJudges, int day)
{
    QStringList judges;
    xbase::ScanCursor scan = shwJudges.scan();
    for (quint32 rec : rowsOf(shwJudges, day)) {
        scan.go(rec);
        const QString judge = trimEnd(scan.text(kJudge));
        if (!judge.isEmpty() && !judges.contains(judge))
            judges.append(judge);
    }
    judges.sort();
    return judges;
}

QStringList classesOfJudge(const xbase::Table& shwJudges, int day, const QString& judge)
{
    QStringList classes;
    xbase::ScanCursor scan = shwJudges.scan();
    for (quint32 rec : rowsOf(shwJudges, day, judge)) {
        scan.go(rec);
        if (scan.trimmed(kClassname).isEmpty())
            continue;
        classes.append(classDisplayText(scan.text(kClassname), scan.text(kRound), scan.text(kLevels)));
    }
    classes.sort();
    return classes;
}

void appendPlaceholder(xbase::Table& shwJudges, int showNum, int day, const QString& judge)
{
    shwJudges.append();
    shwJudges.setInt(QStringLiteral("show_num"), showNum);
    shwJudges.setText(kDayNum, QString::number(day));
    shwJudges.setText(kJudge, trimEnd(judge));
    shwJudges.post();
}

int replaceJudge(xbase::Table& shwJudges, int day, const QString& oldJudge, const QString& newJudge)
{
    const QList<quint32> rows = rowsOf(shwJudges, day, oldJudge);
    for (quint32 rec : rows) {
        shwJudges.go(rec);
        shwJudges.edit();
        shwJudges.setText(kJudge, trimEnd(newJudge));
        shwJudges.post();
    }
    shwJudges.first();
    return int(rows.size());
}

void deleteJudge(xbase::Table& shwJudges, int day, const QString& judge)
{
    for (quint32 rec : rowsOf(shwJudges, day, judge)) {
        shwJudges.go(rec);
        shwJudges.setDeleted(true);
    }
    shwJudges.pack();
}

void saveJudgeClasses(xbase::Table& shwJudges, const xbase::Table& vjdgdum, int showNum, int day,
                      const QString& judge, const QList<quint32>& checkedRecNos)
{
    deleteJudge(shwJudges, day, judge);
    if (checkedRecNos.isEmpty()) {
        appendPlaceholder(shwJudges, showNum, day, judge);
        return;
    }
    xbase::ScanCursor work = vjdgdum.scan();
    for (quint32 rec : checkedRecNos) {
        if (!work.go(rec))
            continue;
        shwJudges.append();
        shwJudges.setInt(QStringLiteral("show_num"), showNum);
        shwJudges.setText(kDayNum, QString::number(day));
        shwJudges.setText(kJudge, trimEnd(judge));
        shwJudges.setText(kClassname, work.text(kClassname));
        shwJudges.setText(kRound, work.text(kRound));
        shwJudges.setText(kLevels, work.text(kLevels));
        shwJudges.post();
    }
}

} // namespace setup

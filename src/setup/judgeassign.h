#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace xbase {
class Table;
}

// Judge assignments of a trial (ShwJudges): per day, which judge judges which class,
// run and level group. Assignment rows carry all fields; a placeholder row (show_num,
// day_num and judge only) keeps a judge listed for a day with no class yet. The work
// table vjdgdum lists every class-run-level-group of the trial to choose from.
namespace setup {

inline const QString kNoneAssigned = QStringLiteral("None Assigned");
inline const QString kDeleteJudgeTitle = QStringLiteral("Delete A Judge");
inline const QString kDeleteJudgeText = QStringLiteral("This will Remove the Highlighted Judge;and all their assigned classes.;");

// "Standard Round 1 Level 3", "Jumpers Round 2 Levels 345C".
QString classDisplayText(const QString& classname, const QString& round, const QString& levels);

// Empties vjdgdum and fills it with one row per LevGroup row (record order, deleted rows
// skipped) and group a-d that is not blank.
void fillJudgeWork(const xbase::Table& levGroup, xbase::Table& vjdgdum);

struct WorkItem
{
    QString text;     // display text
    quint32 recNo = 0;
};
// The vjdgdum rows of a day, sorted by their display text.
QList<WorkItem> workItemsOfDay(const xbase::Table& vjdgdum, int day);

// The distinct judges of a day (deleted rows skipped), trailing blanks removed, sorted.
QStringList judgesOfDay(const xbase::Table& shwJudges, int day);
// Display texts of a judge's assignment rows on a day, sorted (placeholders left out).
QStringList classesOfJudge(const xbase::Table& shwJudges, int day, const QString& judge);

void appendPlaceholder(xbase::Table& shwJudges, int showNum, int day, const QString& judge);

// Every row of that day whose judge is oldJudge gets newJudge; returns how many.
int replaceJudge(xbase::Table& shwJudges, int day, const QString& oldJudge, const QString& newJudge);

// Removes every row of that day and judge and packs the table.
void deleteJudge(xbase::Table& shwJudges, int day, const QString& judge);

// Replaces the judge's rows of that day by one row per checked vjdgdum record, or by a
// single placeholder row when none is checked.
void saveJudgeClasses(xbase::Table& shwJudges, const xbase::Table& vjdgdum, int showNum, int day,
                      const QString& judge, const QList<quint32>& checkedRecNos);

} // namespace setup

#pragma once

#include "setup/trialoffer.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class TDmod;
namespace xbase {
class Table;
}

// The level groupings of a trial (LevGroup, one row per day, run and class): built
// from the trial's days, rebuilt keeping the secretary's groupings when the days or
// classes changed, and the check every edited row passes before it is saved.
namespace setup {

inline const QString kClassesChanged = QStringLiteral("Available Classes or Runs have changed!!;;You must Verify the Groupings;");
inline const QString kLevelsChanged = QStringLiteral("Available Levels have changed!!;;You must Verify the Groupings;");
inline const QString kLevelSRemoved = QStringLiteral("Level S no longer valid - removing");

struct LevGroupRow
{
    QString day;        // "1" .. "4"
    QString classname;  // trimmed
    QString round;      // "1", "2" ...
    QString available;  // trimmed
    std::array<QString, 4> groups;   // group_a .. group_d, trimmed; empty when unused

    friend bool operator==(const LevGroupRow&, const LevGroupRow&) = default;
};

// One row per day, class (Standard, Colors, Wildcard, Jackpot, Snooker, FullHouse,
// Jumpers) and run, with the day's levels and no groups.
QList<LevGroupRow> levGroupRowsFor(const TrialOffer& offer);

struct KeptGroupings
{
    QList<LevGroupRow> rows;
    QString notice;     // kClassesChanged, kLevelsChanged or empty
};

// Copies the groups of every old row into the fresh row of the same day, run and
// class; old rows with no such row are dropped. The notice says what the secretary
// must verify: changed rows or runs first, else changed levels.
KeptGroupings keepGroupings(QList<LevGroupRow> fresh, const QList<LevGroupRow>& old);

// Rows of a LevGroup-shaped table in record order, deleted rows left out.
QList<LevGroupRow> readLevGroupRows(const xbase::Table& table);
void appendLevGroupRows(xbase::Table& table, int showNum, const QList<LevGroupRow>& rows);

// Opens the trial's LevGroup and fills it: built from the trial's days when it has no
// rows, otherwise rebuilt through the work table vLevGrp keeping the groupings.
// Returns the notice to show (empty when nothing changed). LevGroup is left open,
// ordered by LEVKEY, on its first row.
QString buildLevGroup(TDmod& dmod, const TrialOffer& offer);

// A group as typed, made fit to store: upper case and without level S.
struct CheckedGroup
{
    QString value;
    bool removedS = false;
};
CheckedGroup checkGroup(const QString& typed);

// The check of the LevGroup row in the buffer before it is saved: every group that is
// not empty is upper-cased and loses level S. Returns one kLevelSRemoved per group that
// held an S, for the window to show.
QStringList checkLevGroupRow(xbase::Table& levGroup);

} // namespace setup

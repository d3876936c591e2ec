#pragma once

#include "setup/levelgroups.h"
#include "setup/trialoffer.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class TDmod;
namespace xbase {
class Table;
}

// The running order of a trial (RunOrder: per day, class, run and level group its
// ring and place) and the order the jump heights are called in each ring (JumpHts).
namespace setup {

struct RunOrderRow
{
    QString day;
    QString classname;   // trimmed
    QString round;
    QString levels;      // one level group, trimmed
    QString ring;        // "0" unassigned, "1" .. "4"
    QString srtKey;      // "01", "02" ...

    friend bool operator==(const RunOrderRow&, const RunOrderRow&) = default;
};

// One unassigned row per level group of every day, class (Standard, Colors, Wildcard,
// Snooker, Jackpot, FullHouse, Jumpers) and run that has a LevGroup row. The place
// counter runs on across the days; a day that would take it past 99 (the two
// characters of srt_key) starts again at 01.
QList<RunOrderRow> runOrderRowsFor(const TrialOffer& offer, const QList<LevGroupRow>& levGroups);

// Every fresh row whose day, run, class and levels an old row had takes that row's
// ring and place; new or changed groups stay unassigned.
void keepAssignments(QList<RunOrderRow>& fresh, const QList<RunOrderRow>& old);

QList<RunOrderRow> readRunOrderRows(const xbase::Table& table);   // record order, deleted left out
void appendRunOrderRows(xbase::Table& table, int showNum, const QList<RunOrderRow>& rows);

// Opens the trial's RunOrder (and LevGroup) and fills it from the level groups: built
// when it has no rows, otherwise rebuilt through the work table vRunOrd keeping the
// assignments. RunOrder is left ordered by RUNKEY on its first row.
void buildRunOrder(TDmod& dmod, const TrialOffer& offer);

// Opens the trial's JumpHts; every ring of every day that has no heights yet (all of
// them in a new table, a day added to the trial later) gets the six heights from lowest
// to highest.
void buildJumpHts(TDmod& dmod, const TrialOffer& offer);

// The text of a class item: "Jumpers - R1 - L345C   " (levels keep the trailing
// blanks of their seven-character field), and back.
QString itemText(const QString& classname, const QString& round, const QString& levels);
struct ItemParts
{
    QString classname;
    QString round;
    QString levels;
};
std::optional<ItemParts> parseItem(const QString& text);

// The nine boxes of one day: class boxes 0 (unassigned) and 1-4 (rings), then the
// height boxes of rings 1-4.
struct DayBoxes
{
    std::array<QStringList, 5> classes;
    std::array<QStringList, 4> heights;

    friend bool operator==(const DayBoxes&, const DayBoxes&) = default;
};

enum class BoxKind { Classes, Heights };
struct BoxId
{
    BoxKind kind = BoxKind::Classes;
    int index = 0;   // Classes: 0 unassigned, 1-4 ring; Heights: ring 1-4

    friend bool operator==(const BoxId&, const BoxId&) = default;
};

QStringList& box(DayBoxes& boxes, BoxId id);

// A drop of the item at sourceRow of source onto target at targetRow (the row under
// the mouse; -1 or past the end for below the last item). Between class boxes the item
// goes to the end of the target; within a box it moves to targetRow (a class box of
// one item ignores it). Drops between a class box and a height box, or between height
// boxes, are refused. Returns the row the moved item now has in target, or nothing
// when the drop was refused.
std::optional<int> dropItem(DayBoxes& boxes, BoxId source, int sourceRow, BoxId target, int targetRow);

void moveAllToRing1(DayBoxes& boxes);
void flipHeights(DayBoxes& boxes, int ring);

// The rows of one day as the boxes show them: RunOrder in CATKEY order and JumpHts in
// RUNKEY order, deleted rows left out. A row whose ring is not 1-4 is shown unassigned.
DayBoxes loadDay(const xbase::Table& runOrder, const xbase::Table& jumpHts, int day);

// Replaces the day's rows by the boxes: places numbered from 01 in each box, height
// keys from 1 in each ring. Both tables are packed.
void saveDay(xbase::Table& runOrder, xbase::Table& jumpHts, int showNum, int day, const DayBoxes& boxes);

} // namespace setup

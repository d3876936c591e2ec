#pragma once

#include <QString>

#include <optional>

class TDmod;

// The checks the trial's commands run before they start, showing what they refuse with
// through the Dialogs service. Each returns false (or nothing) after its message; the
// caller then stops.
namespace setup {

inline const QString kUnknownShow = QStringLiteral("That Show hasn't been defined - check the number");

// The trial a command works on: the open trial (openTrial > 0), otherwise the number
// asked for in "Which Show". Nothing when the question was cancelled or the trial is
// not in ShowDates (after "That Show hasn't been defined - check the number").
std::optional<int> settleTrialNumber(TDmod& dmod, int openTrial);

// On the open LevGroup: rows exist and every one has a group.
bool LevelGroupsAssigned(TDmod& dmod);

// On the open RunOrder: every row has a ring.
bool RingsAssigned(TDmod& dmod);

// The prerequisite of "Define Running Order", "Judge Assignments", course times, results
// entry and the documents printed by level group: the trial is settled, its level
// groupings exist ("Missing Data" otherwise) and LevelGroupsAssigned holds (LevGroup is
// left open). Returns the trial number the next window works on.
std::optional<int> CheckLevelGroupings(TDmod& dmod, int openTrial);

// The prerequisite of the commands that print or enter by ring: the running order
// exists ("Missing Data" otherwise), RunOrder is opened and RingsAssigned holds.
bool CheckRunningOrder(TDmod& dmod, int trialNumber);

} // namespace setup

#pragma once

class QWidget;
class TDmod;

// The main window's menu items of the judges, the judge assignments and the course
// times. openTrial is the open trial's number, 0 when none is open.
namespace setup {

// "Databases" → "Judges ": needs no trial.
void JudgesMenuClick(TDmod& dmod, QWidget* parent);

// "Databases" → "Judge Assignments" and "Tasks" → "Judge Assignments": after the level
// groupings check.
void JudgeAssignmentsMenuClick(TDmod& dmod, int openTrial, QWidget* parent);

// "Databases" → "SCT (Standard Course Times)": after the level groupings and the
// running-order checks.
void SCTMenuClick(TDmod& dmod, int openTrial, QWidget* parent);

} // namespace setup

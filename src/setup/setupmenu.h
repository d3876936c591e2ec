#pragma once

class QWidget;
class TDmod;

// The main window's menu items of the level groupings and the running order. openTrial
// is the open trial's number, 0 when none is open (the trial is then asked for).
namespace setup {

// "Databases" → "Level Groupings " and "Tasks" → "Define Level Groupings".
void LevelGroupingsMenuClick(TDmod& dmod, int openTrial, QWidget* parent);

// "Databases" → "Running Order" and "Tasks" → "Define Running Order".
void RunningOrderMenuClick(TDmod& dmod, int openTrial, QWidget* parent);

} // namespace setup

#pragma once

class QWidget;
class TDmod;

// The main window's Tasks items of the armbands and the height changes. Each opens its
// window modally over the open trial's entries, with the entry form's handlers switched
// off meanwhile, and leaves the entries table as the main window expects it afterwards.
namespace entries {

// "Assign Armband #'s and Gate Keys". Afterwards the entries show deleted records again,
// in the NAME order, on the first record.
void AssignArmbandsMenuClick(TDmod& dmod, int trialNumber, QWidget* parent);

// "Height Changes/Corrections". The entries keep the order they had.
void HeightChangesMenuClick(TDmod& dmod, int trialNumber, QWidget* parent);

} // namespace entries

#pragma once

#include "data/tables.h"

#include <QString>

class TDmod;
namespace xbase {
class Table;
}

// The checks the trial's commands run before they rely on level groups and rings.
// They only read the tables; what they say is handed back for the window that asked
// to show (see setup/prerequisites.h for the versions that show it).
namespace data {

// What a failed check tells the user. An empty text means the check passed.
struct Refusal
{
    QString title;   // "Missing Data" for the warnings, otherwise empty
    QString text;

    bool refused() const { return !text.isEmpty(); }
};

inline const QString kMissingData = QStringLiteral("Missing Data");

// LevelGroupsAssigned: the open LevGroup table has rows, and none of them has all four
// groups blank. Rows marked deleted are not looked at.
Refusal levelGroupsRefusal(const xbase::Table& levGroup);

// RingsAssigned: no row of the open RunOrder table is still in ring "0" (deleted rows,
// which no window shows and so no one could move, are not looked at).
Refusal ringsRefusal(const xbase::Table& runOrder);

// Opens a table of one trial through the data module; a table still open on another
// trial's file is closed first, so a check never answers for the wrong trial.
void openForTrial(TDmod& dmod, xbase::Table& table, TableId id, const QString& trial);

// The running-order prerequisite of the commands that work by ring: the trial's
// runorder.dbf exists; then RunOrder is opened for the trial and its rings checked.
Refusal runOrderRefusal(TDmod& dmod, const QString& trial);

} // namespace data

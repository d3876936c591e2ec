#pragma once

#include "platform/system/programfolders.h"

#include <QString>

#include <functional>

class TDmod;

// The files of one trial: numbering, the trial folder, the entries file and its backup,
// and the conversion of entries files of the previous record layout. Nothing here shows
// anything; failures are thrown as AppError with the text the user is to see.
namespace data {

// What the record length in an entries file's header says about it.
enum class EntriesFormat {
    Current,    // 524: open as it is
    Previous,   // 520: the same fields without gatekey; convert first
    Damaged,    // 526: a known damaged variant, left alone
    Unknown,    // anything else (or not a table at all): not an entries file
};
EntriesFormat entriesFormat(const QString& path);

// The highest show_num in ShowDates plus one, 1 for the first trial. Gaps are not reused.
int NextTrialNumber(TDmod& dmod);

// catdata/cat00012/ of trial 12.
QString TrialFolder(const ProgramFolders& folders, int trialNumber);

// shows/Show-00012-06-05-2004.dbf of trial 12 with first date 06/05/2004.
QString EntriesPath(const ProgramFolders& folders, int trialNumber, const QString& firstDateText);

// Creates shows/ and catdata/ ("Cannot create " + folder), the trial folder
// ("Cannot create Special Data Folder" + folder) and the empty entries file from the
// template Show. An entries file that already holds records is never overwritten.
// Returns the entries file's path.
QString CreateTrialFiles(TDmod& dmod, int trialNumber, const QString& firstDateText);

// The backup of a converted entries file: the same path with the extension .OLD.
QString EntriesBackupPath(const QString& path);
bool EntriesBackupExists(const QString& path);

// Copies the entries file to its .OLD backup. The backup appears complete or not at all;
// the file itself is not touched. Throws AppError("Unable to create " + path + " backup file.").
void BackupEntriesFile(const QString& path);

// Rewrites an entries file of the previous layout in the current one: a plain copy in
// pgmdata/tempdb.dbf, a new file from the template Show with every record appended by
// field name (gatekey blank, deleted marks kept) and scrambled again. The new file is
// built beside the old one and then renamed over it, so the path always holds either the
// old file or the whole new one, whenever the program stops.
//
// checkpoint, when given, is called between the steps with a short name of the step
// just done (tests use it to stop the conversion half-way).
void ConvertEntriesFile(TDmod& dmod, const QString& path,
                        const std::function<void(const char* step)>& checkpoint = {});

} // namespace data

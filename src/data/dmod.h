#pragma once

#include "data/tables.h"
#include "platform/system/programfolders.h"
#include "platform/xbase/table.h"

#include <QString>

// The data module: owns every table object of the program, opens each from its
// definition in data/tables.h, and keeps the few program-wide values that go with
// the tables. It shows nothing: failures are thrown as xbase::Error (tables) or
// AppError (folders) for the window that called to report.
//
// Opening a table deletes a stale MDX file of the same name in indexs/ (indexes
// live in memory and are built afresh at every open), makes the defined tag
// current and goes to the first record. Opens of tables that are already open
// return at once, so a second open does not rebuild anything.
class TDmod
{
public:
    explicit TDmod(const ProgramFolders& folders);
    ~TDmod();

    TDmod(const TDmod&) = delete;
    TDmod& operator=(const TDmod&) = delete;

    // Start-up: the folders shows/, userdata/ and indexs/, then the long-lived tables
    // (Members with MaxMemberID, DogMaster, ShowDates, Judges, Show, MyMembers).
    void DmodCreate();

    const ProgramFolders& folders() const { return m_folders; }

    // Installation tables
    void OpenDogMaster();
    void OpenMembers();
    void OpenJudges();
    void OpenBreeds();
    void OpenHostClubs();
    void OpenShowDates();
    void OpenShowTemplate();
    void OpenMail();
    void OpenMyMembers();
    void OpenUpdates();

    // The open trial's entries file: closes whatever TzDbf1 had open, then opens path
    // scrambled both ways with its tags (index name: the file's own base name).
    void OpenTzDbf1(const QString& path);

    // Tables of one trial; trial is TrialNumberText ("00012"). A table still open for
    // another trial is closed and the asked trial's file opened instead.
    void OpenLevGroup(const QString& trial);
    void OpenRunOrder(const QString& trial);
    void OpenJumpHts(const QString& trial);
    void OpenCatalog(const QString& trial);
    void OpenSCTInfo(const QString& trial);
    void OpenShwJudges(const QString& trial);
    void OpenResults(const QString& trial);
    void OpenHITinfo(const QString& trial);
    void OpenAGXreport(const QString& trial);   // reopens when already open
    bool LevGroupExists(const QString& trial) const;
    bool RunOrderExists(const QString& trial) const;
    bool ResultsExists(const QString& trial) const;
    // Base names (no folder, no extension) of the results and course-time files.
    QString ResultsFileName(const QString& trial) const;
    QString SCTInfoFileName(const QString& trial) const;

    // Work tables
    void NewCounts();
    void NewVScribe();
    void OpenScribe();
    void OpenVresults();
    void OpenVsct();
    void OpenVRibbons();
    void OpenVhitrep();

    // True unless an entries record that is not deleted has a blank gate key; an
    // empty or closed entries file counts as assigned. Callers warn with
    // kGateKeysMissing when it is false.
    bool GateKeysAssigned();
    static inline const QString kGateKeysMissing = QStringLiteral("Not all records have a Gate Key Assigned!");

    // Whether the dog ("nnnnn-nn") must be measured at the trial of the current ShowDates
    // row. Leaves DogMaster in IDKEY order on the dog (or at eof).
    bool NeedsMeasuring(const QString& memDogId);

    // Opens table from its definition, the same way as the named operations above (they
    // all come here), for the windows that keep their own table object of a defined
    // table (vRunOrd, vHtMeas ...). Does nothing when the table is open.
    void OpenDefined(xbase::Table& table, data::TableId id, const QString& trial = {});
    // Full path of a defined table's file (resolved case-insensitively when it exists).
    QString TablePath(data::TableId id, const QString& trial = {}) const;

    // The club ID of the settings file without blanks; read once, then kept.
    QString ClubID() const;

    // TrialDateKey (MMDDYYYY of the trial's first day), set when a trial becomes current.
    const QString& TrialDateKey() const { return m_trialDateKey; }
    // From ShowDates: false (key left empty) when the trial is not there.
    bool SetTrialDateKey(int trialNumber);
    // From a date text MM/DD/YYYY.
    void SetTrialDateKeyFromText(const QString& dateText);
    void ClearTrialDateKey() { m_trialDateKey.clear(); }

    // Program-wide values
    QString MaxMemberID;          // greatest member_id text over every Members record
    qint64 LastAutolink = 0;      // greatest Results autolink, set by OpenResults
    bool DogFileScrambled = false;

    // Table objects, named as everywhere else in the program.
    xbase::Table DogMaster, Members, MyMembers, Judges, Breeds, HostClubs, Updates, ShowDates, Mail, Show;
    xbase::Table TzDbf1;
    xbase::Table LevGroup, RunOrder, JumpHts, ShwJudges, SCTInfo, Catalog, Results, HITinfo, AGXreport;
    xbase::Table Counts, Scribe, vScribe, Vresults, Vsct, VRibbons, vhitrep;

private:
    QString trialFolder(const QString& trial) const;
    QString mdxPath(const QString& baseName) const;
    void open(xbase::Table& table, const data::TableDef& def, const QString& path, const QString& mdxBase);
    void recreate(xbase::Table& table, data::TableId id);
    void computeMaxMemberID();
    void computeLastAutolink();

    ProgramFolders m_folders;
    mutable QString m_clubID;   // read on first use, kept for the run
    mutable bool m_clubIDRead = false;
    QString m_trialDateKey;
};

// Trial number helpers used with the tables above.
namespace data {

QString TrialNumberText(int trialNumber);            // 12 -> "00012"
QString ShowDatesKey(int trialNumber);               // 12 -> "   12", the SHOWNUM key
// "Show-00012-06-05-2004.dbf" for trial 12 and first date "06/05/2004".
QString EntriesFileName(int trialNumber, const QString& firstDateText);
// The trial number of an entries file name, 0 when it does not follow the pattern.
int TrialNumberFromEntriesFile(const QString& path);

} // namespace data

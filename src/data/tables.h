#pragma once

#include "platform/xbase/fielddef.h"

#include <QString>

#include <vector>

// Every table of the program, written down once: its file, folder, fields in
// stored order, index tags and the tag made current after opening. The data
// module opens every table from these definitions; the demo-data generator
// writes the installed files from the same field lists.
namespace data {

enum class TableId {
    // Tables of the whole installation
    DogMaster,
    Members,
    MyMembers,
    Judges,
    Breeds,
    HostClubs,
    Updates,
    ShowDates,
    Mail,
    Show,        // current entries template, pgmdata\showdb36a.dbf
    ShowOld,     // previous entries template, pgmdata\showdb36.dbf
    TzDbf1,      // the open trial's entries file
    // Tables of one trial
    LevGroup,
    RunOrder,
    JumpHts,
    ShwJudges,
    SCTInfo,
    Catalog,
    Results,
    HITinfo,
    AGXreport,
    // Work tables
    Counts,
    Scribe,
    vScribe,
    Vresults,
    Vsct,
    VRibbons,
    vhitrep,
    vRunOrd,
    vLevGrp,
    vjdgdum,
    vHtMeas,
    vWorker1,
    TempDb,
};

enum class Folder { AgxData, UserData, PgmData, Shows, Trial };

// Which record callbacks an open attaches.
enum class Scrambling { None, ReadOnly, Both };

struct TableDef
{
    TableId id;
    QString object;               // the table object's name
    Folder folder;
    QString file;                 // empty where the name is computed per trial
    xbase::FieldList fields;  // empty for a file only AGX supplies
    xbase::TagList tags;
    QString currentTag;           // empty: natural order
    Scrambling scrambling = Scrambling::None;
    bool createIfMissing = true;  // missing file is created empty from `fields`
};

const TableDef& tableDef(TableId id);
const std::vector<TableDef>& allTableDefs();

// Record length including the deletion mark, as stored in the DBF header.
int recordLength(const xbase::FieldList& fields);

// The index of a field (0-based) in a field list, or -1.
int fieldIndex(const xbase::FieldList& fields, const QString& name);

} // namespace data

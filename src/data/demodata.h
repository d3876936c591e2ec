#pragma once

#include "platform/system/programfolders.h"

#include <QString>
#include <QStringList>

// Lays out a ready program folder: pgmdata/ with the entries templates and the
// work tables written from their field lists, and agxdata/ with a made-up but
// plausible set of AGX reference tables (members, dogs, judges, host clubs,
// breeds). The output depends only on the sizes, so two runs give the same files.
// Files that are already there are never touched.
namespace data {

struct DemoSizes
{
    int members = 3000;
    int dogs = 7500;
    int judges = 80;
    int clubs = 40;
};

struct SeedReport
{
    QStringList written;   // files created by this run
    QStringList kept;      // files left as they were
};

// pgmdata/: showdb36a.dbf, showdb36.dbf and the work tables.
void writeProgramTables(const ProgramFolders& folders, SeedReport& report);

// agxdata/: sxMembers.dbf and sxdogmast2.dbf (scrambled), sjudges.dbf, sclubs.dbf,
// breeds.dbf. The member and dog files are left out when any member or dog file of
// the user's own is present, so demo dogs never point at someone else's members.
void writeDemoAgxData(const ProgramFolders& folders, const DemoSizes& sizes, SeedReport& report);

// Both of the above, creating the folders when needed.
SeedReport seedProgramFolder(const QString& root, const DemoSizes& sizes = {});

} // namespace data

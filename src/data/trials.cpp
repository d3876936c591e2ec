#include "data/trials.h"

#include "data/dmod.h"
#include "data/scramble.h"
#include "platform/system/errors.h"
#include "platform/system/fileops.h"
#include "platform/system/pathresolver.h"
#include "platform/xbase/table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace data {

namespace {

constexpr int kCurrentLength = 524;
constexpr int kPreviousLength = 520;
constexpr int kDamagedLength = 526;

// Forces a file (or folder) to the disk, so a rename that follows cannot overtake it.
bool syncPath(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// Replaces to with from in one step (rename(2) is atomic within a file system).
bool replaceFile(const QString& from, const QString& to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return false;
    syncPath(QFileInfo(to).absolutePath());
    return true;
}

void step(const std::function<void(const char*)>& checkpoint, const char* name)
{
    if (checkpoint)
        checkpoint(name);
}

} // namespace

EntriesFormat entriesFormat(const QString& path)
{
    int length = 0;
    try {
        length = xbase::Table::readRecordLength(path);
    } catch (const xbase::Error&) {
        return EntriesFormat::Unknown;
    }
    switch (length) {
    case kCurrentLength: return EntriesFormat::Current;
    case kPreviousLength: return EntriesFormat::Previous;
    case kDamagedLength: return EntriesFormat::Damaged;
    default: return EntriesFormat::Unknown;
    }
}

int NextTrialNumber(TDmod& dmod)
{
    dmod.OpenShowDates();
    // Every row counts, deleted ones too: their numbers may still name files on disk.
    xbase::ScanCursor cursor = dmod.ShowDates.scan();
    cursor.setCurrentTag(QString());
    int highest = 0;
    for (bool more = cursor.first(); more && !cursor.eof(); more = cursor.next())
        highest = std::max(highest, int(cursor.toInt(QStringLiteral("show_num"))));
    return highest + 1;
}

QString TrialFolder(const ProgramFolders& folders, int trialNumber)
{
    return resolvePath(folders.catdata(), QStringLiteral("cat") + TrialNumberText(trialNumber) + QLatin1Char('/'));
}

QString EntriesPath(const ProgramFolders& folders, int trialNumber, const QString& firstDateText)
{
    return resolvePath(folders.shows(), EntriesFileName(trialNumber, firstDateText));
}

QString CreateTrialFiles(TDmod& dmod, int trialNumber, const QString& firstDateText)
{
    const ProgramFolders& folders = dmod.folders();
    ProgramFolders::ensureFolder(folders.shows());
    ProgramFolders::ensureFolder(folders.catdata());
    ProgramFolders::ensureFolder(TrialFolder(folders, trialNumber), QStringLiteral("Cannot create Special Data Folder"));

    const QString path = EntriesPath(folders, trialNumber, firstDateText);
    if (QFileInfo::exists(path)) {
        // Someone's entries must never be replaced by an empty file.
        bool holdsRecords = true;
        try {
            xbase::Table existing;
            existing.open(path, {.readOnly = true});
            holdsRecords = existing.recordCount() > 0;
        } catch (const xbase::Error&) {
        }
        if (holdsRecords)
            throw AppError(QStringLiteral("Cannot create ") + QDir::toNativeSeparators(path)
                           + QStringLiteral(" - a file of that name already holds entries"));
    }
    dmod.OpenShowTemplate();
    dmod.Show.copyStructure(path);
    return path;
}

QString EntriesBackupPath(const QString& path)
{
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".OLD"));
}

bool EntriesBackupExists(const QString& path)
{
    const QFileInfo info(EntriesBackupPath(path));
    return pathExists(info.absolutePath(), info.fileName());
}

void BackupEntriesFile(const QString& path)
{
    const QString backup = EntriesBackupPath(path);
    const QString partial = backup + QStringLiteral(".part");
    if (!copyFile(path, partial, true) || !syncPath(partial) || !replaceFile(partial, backup)) {
        QFile::remove(partial);
        throw AppError(QStringLiteral("Unable to create ") + QDir::toNativeSeparators(path) + QStringLiteral(" backup file."));
    }
}

void ConvertEntriesFile(TDmod& dmod, const QString& path, const std::function<void(const char*)>& checkpoint)
{
    const ProgramFolders& folders = dmod.folders();
    const QString plain = resolvePath(folders.pgmdata(), QStringLiteral("tempdb.dbf"));
    const QString building = path + QStringLiteral(".converting");

    // A plain copy of the old records.
    xbase::Table::remove(plain);
    QString error;
    if (!copyFile(path, plain, false, &error))
        throw AppError(error);
    step(checkpoint, "copied");
    {
        xbase::Table temp;
        temp.open(plain);
        temp.setReadCallback(UnscrambleRecord);
        temp.rewriteAll();
        temp.close();
    }
    step(checkpoint, "unscrambled");

    // The new file, beside the old one until it is complete.
    try {
        xbase::Table::remove(building);
        dmod.OpenShowTemplate();
        dmod.Show.copyStructure(building);
        xbase::Table entries;
        entries.open(building);
        entries.appendFrom(plain, xbase::AppendMode::ByName);
        step(checkpoint, "appended");
        entries.setWriteCallback(ScrambleRecord);
        entries.rewriteAll();
        entries.flush();
        entries.close();
        step(checkpoint, "scrambled");
        if (!syncPath(building) || !replaceFile(building, path))
            throw AppError(QStringLiteral("Cannot replace ") + QDir::toNativeSeparators(path));
    } catch (...) {
        xbase::Table::remove(building);
        throw;
    }
    step(checkpoint, "replaced");
    // The plain copy holds the entries unscrambled: it goes as soon as it is not needed.
    xbase::Table::remove(plain);
}

} // namespace data

#include "platform/system/programfolders.h"

#include "platform/system/errors.h"
#include "platform/system/pathresolver.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

namespace {

QString withSlash(QString path)
{
    path = fromWindowsPath(path);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

// Copies the tree under from into to, leaving files that are already there alone.
void seedFolder(const QString& from, const QString& to)
{
    if (!QFileInfo(from).isDir())
        return;
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else if (!QFileInfo::exists(target))
            QFile::copy(source, target);
    }
}

std::optional<ProgramFolders>& currentFolders()
{
    static std::optional<ProgramFolders> folders;
    return folders;
}

} // namespace

ProgramFolders::ProgramFolders(const QString& root) : m_root(withSlash(root)) {}

QString ProgramFolders::defaultRoot()
{
    const QString programDir = withSlash(QCoreApplication::applicationDirPath());
    if (QFileInfo(programDir).isWritable())
        return programDir;

    const QString dataRoot = withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        + QStringLiteral("velmora/");
    for (const char* folder : {"pgmdata", "agxdata", "help"})
        seedFolder(programDir + QLatin1String(folder), dataRoot + QLatin1String(folder));
    return dataRoot;
}

const ProgramFolders& ProgramFolders::current()
{
    auto& folders = currentFolders();
    if (!folders)
        folders.emplace(defaultRoot());
    return *folders;
}

void ProgramFolders::setCurrent(const ProgramFolders& folders)
{
    currentFolders() = folders;
}

QString ProgramFolders::shows() const { return resolvePath(m_root, QStringLiteral("shows/")); }
QString ProgramFolders::pgmdata() const { return resolvePath(m_root, QStringLiteral("pgmdata/")); }
QString ProgramFolders::agxdata() const { return resolvePath(m_root, QStringLiteral("agxdata/")); }
QString ProgramFolders::userdata() const { return resolvePath(m_root, QStringLiteral("userdata/")); }
QString ProgramFolders::indexs() const { return resolvePath(m_root, QStringLiteral("indexs/")); }
QString ProgramFolders::catdata() const { return resolvePath(m_root, QStringLiteral("catdata/")); }
QString ProgramFolders::help() const { return resolvePath(m_root, QStringLiteral("help/")); }
QString ProgramFolders::gendefs() const { return resolvePath(m_root, QStringLiteral("gendefs.ini")); }

void ProgramFolders::createStartupFolders() const
{
    ensureFolder(shows());
    ensureFolder(userdata());
    ensureFolder(indexs());
}

void ProgramFolders::ensureFolder(const QString& path, const QString& errorPrefix)
{
    if (QFileInfo(path).isDir())
        return;
    if (!QDir().mkpath(path) || !QFileInfo(path).isDir())
        throw AppError(errorPrefix + path);
}

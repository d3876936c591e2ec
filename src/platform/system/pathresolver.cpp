#include "platform/system/pathresolver.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

QString fromWindowsPath(const QString& path)
{
    QString result = path;
    result.replace(QLatin1Char('\\'), QLatin1Char('/'));
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    result.remove(drive);
    return result;
}

QString resolvePath(const QString& base, const QString& relative)
{
    QString rel = fromWindowsPath(relative);
    QString current;
    if (QDir::isAbsolutePath(rel)) {
        current = QStringLiteral("/");
    } else {
        current = fromWindowsPath(base);
        if (current.isEmpty())
            current = QStringLiteral(".");
    }
    const bool trailingSlash = rel.endsWith(QLatin1Char('/'));
    bool onDisk = QFileInfo(current).isDir();

    const QStringList parts = rel.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == QLatin1String("."))
            continue;
        QString candidate = current.endsWith(QLatin1Char('/')) ? current + part : current + QLatin1Char('/') + part;
        if (onDisk && part != QLatin1String("..") && !QFileInfo::exists(candidate)) {
            const QStringList names = QDir(current).entryList(
                QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
            auto match = std::find_if(names.begin(), names.end(), [&](const QString& name) {
                return name.compare(part, Qt::CaseInsensitive) == 0;
            });
            if (match != names.end())
                candidate = current.endsWith(QLatin1Char('/')) ? current + *match : current + QLatin1Char('/') + *match;
            else
                onDisk = false;
        }
        current = candidate;
    }
    if (trailingSlash && !current.endsWith(QLatin1Char('/')))
        current += QLatin1Char('/');
    return current;
}

QString resolvePath(const QString& path)
{
    QString p = fromWindowsPath(path);
    if (QDir::isAbsolutePath(p))
        return resolvePath(QStringLiteral("/"), p);
    QString resolved = resolvePath(QStringLiteral("."), p);
    return resolved.startsWith(QLatin1String("./")) ? resolved.mid(2) : resolved;
}

bool pathExists(const QString& base, const QString& relative)
{
    return QFileInfo::exists(resolvePath(base, relative));
}

#include "platform/system/fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

bool copyFile(const QString& from, const QString& to, bool keepModificationTime, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("Could not copy file ") + from + QStringLiteral(" to ") + to
                + QStringLiteral(": ") + why;
        return false;
    };
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return fail(source.errorString());
    // Copy to a temporary name first, so a failed copy never leaves a half target behind.
    const QString partial = to + QStringLiteral(".part");
    QFile target(partial);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(target.errorString());
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = source.read(buffer, sizeof buffer);
        if (n < 0) {
            target.remove();
            return fail(source.errorString());
        }
        if (n == 0)
            break;
        if (target.write(buffer, n) != n) {
            const QString why = target.errorString();
            target.remove();
            return fail(why);
        }
    }
    if (!target.flush()) {
        target.remove();
        return fail(target.errorString());
    }
    if (keepModificationTime)
        target.setFileTime(QFileInfo(source).lastModified(), QFileDevice::FileModificationTime);
    target.close();
    if (QFileInfo::exists(to) && !QFile::remove(to)) {
        QFile::remove(partial);
        return fail(QStringLiteral("the existing file cannot be replaced"));
    }
    if (!QFile::rename(partial, to)) {
        QFile::remove(partial);
        return fail(QStringLiteral("the copy cannot be given its name"));
    }
    return true;
}

bool moveFile(const QString& from, const QString& to, QString* error)
{
    if (QFileInfo::exists(to)) {
        if (error)
            *error = QStringLiteral("Could not move file ") + from + QStringLiteral(" to ") + to
                + QStringLiteral(": the target exists");
        return false;
    }
    if (QFile::rename(from, to))
        return true;
    QString copyError;
    if (!copyFile(from, to, true, &copyError)) {
        if (error)
            *error = copyError;
        return false;
    }
    if (!QFile::remove(from)) {
        QFile::remove(to);
        if (error)
            *error = QStringLiteral("Could not move file ") + from + QStringLiteral(" to ") + to
                + QStringLiteral(": the original cannot be removed");
        return false;
    }
    return true;
}

bool removeFile(const QString& path)
{
    QFile::remove(path);
    return !QFileInfo::exists(path);
}

bool isRemovableDevice(const QString& device, const QString& sysBlock)
{
    if (!device.startsWith(QLatin1String("/dev/")))
        return false;
    const QString name = QFileInfo(device).fileName();
    // /sys/class/block/<name> links to the device's folder; a partition's folder lies
    // inside its disk's, and only the disk carries the flag.
    QString folder = QFileInfo(sysBlock + QLatin1Char('/') + name).canonicalFilePath();
    for (int level = 0; level < 2 && !folder.isEmpty(); ++level) {
        QFile flag(folder + QStringLiteral("/removable"));
        if (flag.open(QIODevice::ReadOnly))
            return flag.readAll().trimmed() == "1";
        folder = QFileInfo(folder).path();
    }
    return false;
}

QStringList removableMounts()
{
    QStringList result;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = volume.rootPath();
        const bool mediaFolder = root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/"));
        if (mediaFolder || isRemovableDevice(QString::fromLocal8Bit(volume.device())))
            result.append(root);
    }
    return result;
}

QString firstRemovableOrHome()
{
    const QStringList mounts = removableMounts();
    return mounts.isEmpty() ? QDir::homePath() : mounts.first();
}

#pragma once

#include <QString>
#include <QStringList>

// File operations that report what went wrong instead of throwing; each caller shows its
// own message. error, when given, receives a text naming the files.

// Copies from over to (an existing target is replaced). With keepModificationTime the
// copy carries the source's modification time, as files for AGX must.
bool copyFile(const QString& from, const QString& to, bool keepModificationTime = false, QString* error = nullptr);

// Renames from to to; across file systems, copies (keeping the time) and deletes.
// An existing target is not replaced.
bool moveFile(const QString& from, const QString& to, QString* error = nullptr);

// Deletes a file; true when it is gone afterwards (also when it was never there).
bool removeFile(const QString& path);

// Mount points of removable media (USB sticks, memory cards, floppies), for the windows
// that once offered drive letters.
QStringList removableMounts();

// Whether the block device (e.g. "/dev/sdb1") is removable, judged from the kernel's
// "removable" flag of the device or of the disk it is a partition of. sysBlock is
// "/sys/class/block" except in tests.
bool isRemovableDevice(const QString& device, const QString& sysBlock = QStringLiteral("/sys/class/block"));

// The folder a chooser for removable media starts in: the first removable mount, or the
// home folder when there is none.
QString firstRemovableOrHome();

#pragma once

#include <QString>

// Files arrive from Windows in any letter case and paths are written with "\".
// resolvePath("/prog/", "agxdata\\sxMembers.dbf") gives the existing file whatever the
// case of each folder and file name on disk (agxdata/SXMEMBERS.DBF, AgxData/sxmembers.dbf);
// from the first part that does not exist on, the given spelling is kept, so a new file
// is created as written. An exact match wins over a case-insensitive one; among several
// case-insensitive matches the first in name order is taken.
// relative may also be an absolute path (then base is ignored).
QString resolvePath(const QString& base, const QString& relative);

// resolvePath() on one full path.
QString resolvePath(const QString& path);

// Whether resolvePath(base, relative) names an existing file or folder.
bool pathExists(const QString& base, const QString& relative);

// "a\\b\\c.dbf" -> "a/b/c.dbf"; a drive prefix such as "C:" is dropped.
QString fromWindowsPath(const QString& path);

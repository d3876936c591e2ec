#pragma once

#include <QString>

// The program's name and version. The version text stays within 8 characters: it is
// written to transfer files and compared there after a cut to 8.
inline const QString kProgramTitle = QStringLiteral("Velmora 3.6");
inline const QString kProgramVersion = QStringLiteral("3.6.0.0");

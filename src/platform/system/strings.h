#pragma once

#include <QString>

// Table fields come back padded with blanks; most comparisons want them
// trimmed on the right only (leading blanks can be significant, e.g. heights).
QString rightTrimmed(const QString& text);

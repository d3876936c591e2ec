#pragma once

#include <QList>
#include <QString>

namespace xbase {

// One field of a table. type is 'C', 'N', 'D', 'L' or 'M' for tables we create; files read
// from elsewhere may carry other letters, whose contents are read as raw text.
// Width and decimals of D, L and M are fixed by the format (8, 1, 10) and ignored on create.
struct FieldDef
{
    QString name;
    char type = 'C';
    int width = 0;
    int decimals = 0;

    friend bool operator==(const FieldDef&, const FieldDef&) = default;
};

// One index tag: a name, an xBase key expression and the order. Tags are built in memory
// when the table opens and kept current by every change.
struct TagDef
{
    QString name;
    QString expression;
    bool descending = false;

    friend bool operator==(const TagDef&, const TagDef&) = default;
};

using FieldList = QList<FieldDef>;
using TagList = QList<TagDef>;

} // namespace xbase

#pragma once

#include "platform/xbase/table.h"
#include "support/tempfolder.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

// A small table of dogs on disk for the data-aware control tests. Natural order:
//   1 Rex, 2 ace, 3 Bo, 4 zed, 5 Max;  tag NAME = upper(name): ace, Bo, Max, Rex, zed.
struct DogTable
{
    TempFolder folder;
    QString path = folder.file("dogs.dbf");
    xbase::Table table;

    DogTable()
    {
        xbase::Table::create(path, {{"name", 'C', 10}, {"phone", 'C', 12}, {"ok", 'L'}, {"born", 'D'},
                                    {"runs", 'N', 2}, {"pts", 'N', 5, 2}, {"notes", 'M'}});
        table.setTags({{"NAME", "upper(name)"}});
        table.open(path);
        const struct
        {
            const char* name;
            const char* phone;
            int runs;
        } dogs[] = {{"Rex", "555-123-4567", 1}, {"ace", "", 2}, {"Bo", "", 0}, {"zed", "", 2}, {"Max", "", 1}};
        for (const auto& d : dogs) {
            table.append();
            table.setText("name", d.name);
            table.setText("phone", d.phone);
            table.setInt("runs", d.runs);
            table.post();
        }
        table.first();
    }

    // The stored bytes of a field, as the file has them now.
    QString stored(quint32 recNo, const char* field) const
    {
        return QString::fromLatin1(table.rawField(recNo, table.fieldNumber(field))).trimmed();
    }
};

// Key presses as the user makes them, sent straight to the widget.
inline void pressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        pressKey(widget, c.toUpper().unicode(), c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
}

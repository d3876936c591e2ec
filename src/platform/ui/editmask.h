#pragma once

#include <QList>
#include <QString>

// An edit mask written the way the data-entry screens give them, "mask;save;blank", e.g.
// "999-999-9999;1; ": '0' a required digit, '9' an optional digit, '#' a digit or sign,
// 'L'/'l' a letter, 'A'/'a' a letter or digit, 'C'/'c' any character (upper case required,
// lower case optional), '>' '<' "<>" letter case, '\' the next character literally, '_' a
// blank, anything else a literal. save = 1 stores the literals with the value, 0 stores only
// what was typed; blank is the character shown in empty places (default '_').
//
// Turned into a QLineEdit input mask, whose letters mean other things (there '9' is a
// required digit and '0' an optional one).
class EditMask
{
public:
    EditMask() = default;
    explicit EditMask(const QString& mask);

    bool isEmpty() const { return m_slots.isEmpty(); }
    const QString& source() const { return m_source; }
    QString inputMask(bool upperCase = false) const;   // for QLineEdit::setInputMask
    bool savesLiterals() const { return m_saveLiterals; }
    QChar blank() const { return m_blank; }

    // The value to store for what the line edit shows (displayText()): empty places as
    // blanks, literals kept or dropped. Nothing typed at all stores an empty value.
    QString value(const QString& displayText) const;

private:
    struct Slot
    {
        bool input = false;
        QChar literal;
    };
    QString m_source;
    QString m_qtMask;
    QList<Slot> m_slots;   // one per character the line edit shows
    bool m_saveLiterals = true;
    QChar m_blank = QLatin1Char('_');
};

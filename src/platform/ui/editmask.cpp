#include "platform/ui/editmask.h"

#include <QStringList>

namespace {

// Characters that mean something in a QLineEdit input mask and must be escaped as literals.
bool isQtMaskCharacter(QChar c)
{
    return QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{};").contains(c);
}

// Input characters: the mask letter and the QLineEdit letter for it.
QChar qtInputCharacter(QChar c)
{
    switch (c.unicode()) {
    case '0': return QLatin1Char('9');   // required digit
    case '9': return QLatin1Char('0');   // optional digit
    case '#': return QLatin1Char('#');   // optional digit or sign
    case 'L': return QLatin1Char('A');   // required letter
    case 'l': return QLatin1Char('a');
    case 'A': return QLatin1Char('N');   // required letter or digit
    case 'a': return QLatin1Char('n');
    case 'C': return QLatin1Char('X');   // required character
    case 'c': return QLatin1Char('x');
    default: return QChar();
    }
}

} // namespace

EditMask::EditMask(const QString& mask) : m_source(mask)
{
    // The last two ';' sections, when present, are the save flag and the blank character.
    QString body = mask;
    const QStringList parts = mask.split(QLatin1Char(';'));
    if (parts.size() >= 3) {
        body = parts.mid(0, parts.size() - 2).join(QLatin1Char(';'));
        m_saveLiterals = parts.at(parts.size() - 2).trimmed() != QLatin1String("0");
        if (!parts.last().isEmpty())
            m_blank = parts.last().at(0);
    } else if (parts.size() == 2) {
        body = parts.at(0);
        m_saveLiterals = parts.at(1).trimmed() != QLatin1String("0");
    }

    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body.at(i);
        if (c == QLatin1Char('<') && i + 1 < body.size() && body.at(i + 1) == QLatin1Char('>')) {
            m_qtMask += QLatin1Char('!');
            ++i;
            continue;
        }
        if (c == QLatin1Char('>') || c == QLatin1Char('<')) {
            m_qtMask += c;
            continue;
        }
        if (c == QLatin1Char('!'))   // where blanks are trimmed: no meaning here
            continue;
        QChar literal = c;
        if (c == QLatin1Char('\\')) {
            if (++i >= body.size())
                break;
            literal = body.at(i);
        } else if (const QChar input = qtInputCharacter(c); !input.isNull()) {
            m_qtMask += input;
            m_slots.append({true, QChar()});
            continue;
        } else if (c == QLatin1Char('_')) {
            literal = QLatin1Char(' ');
        }
        if (isQtMaskCharacter(literal))
            m_qtMask += QLatin1Char('\\');
        m_qtMask += literal;
        m_slots.append({false, literal});
    }
}

QString EditMask::inputMask(bool upperCase) const
{
    if (m_slots.isEmpty())
        return {};
    return (upperCase ? QStringLiteral(">") : QString()) + m_qtMask + QLatin1Char(';') + m_blank;
}

QString EditMask::value(const QString& displayText) const
{
    QString out;
    bool typed = false;
    for (qsizetype i = 0; i < m_slots.size(); ++i) {
        const Slot& slot = m_slots.at(i);
        if (!slot.input) {
            if (m_saveLiterals)
                out += slot.literal;
            continue;
        }
        const QChar c = i < displayText.size() ? displayText.at(i) : m_blank;
        if (c == m_blank || c == QLatin1Char(' ')) {
            out += QLatin1Char(' ');
        } else {
            out += c;
            typed = true;
        }
    }
    return typed ? out : QString();
}

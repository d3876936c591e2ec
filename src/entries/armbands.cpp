#include "entries/armbands.h"

#include "platform/system/strings.h"
#include "platform/xbase/table.h"

#include <QSet>

#include <map>
#include <vector>

namespace armbands {
namespace {

const QString kArmband = QStringLiteral("armband");
const QString kGateKey = QStringLiteral("gatekey");
const QString kRegHt = QStringLiteral("reg_ht");

// Every armband held by a record marked deleted, right-trimmed.
QSet<QString> deletedArmbands(const xbase::Table& entries)
{
    QSet<QString> held;
    xbase::ScanCursor scan = entries.scan();
    scan.setShowDeleted(true);
    const quint32 count = entries.recordCount();
    for (quint32 rec = 1; rec <= count; ++rec) {
        if (scan.go(rec) && scan.isDeleted()) {
            const QString a = rightTrimmed(scan.text(kArmband));
            if (!a.isEmpty())
                held.insert(a);
        }
    }
    return held;
}

// Writes value into field of record rec; false when a before-post handler refused it.
bool writeField(xbase::Table& entries, quint32 rec, const QString& field, const QString& value)
{
    if (!entries.go(rec))
        return false;
    if (entries.text(field) == value.leftJustified(entries.fieldDef(field).width, QLatin1Char(' ')))
        return true;
    entries.edit();
    entries.setText(field, value);
    if (entries.post())
        return true;
    entries.cancel();
    return false;
}

void clearField(xbase::Table& entries, const QString& field)
{
    const std::vector<quint32> order = entries.visibleRecords();
    for (quint32 rec : order) {
        if (entries.go(rec) && !entries.isDeleted() && !entries.isBlank(field))
            writeField(entries, rec, field, QString());
    }
    entries.first();
}

} // namespace

const std::array<HeightLetter, 6>& heightLetters()
{
    static const std::array<HeightLetter, 6> letters{{
        {4, QLatin1Char('A'), QStringLiteral("Orange"), QColor(244, 164, 96)},
        {8, QLatin1Char('B'), QStringLiteral("Green"), QColor(198, 248, 179)},
        {12, QLatin1Char('C'), QStringLiteral("Yellow"), QColor(255, 248, 179)},
        {16, QLatin1Char('D'), QStringLiteral("Blue"), QColor(198, 225, 225)},
        {20, QLatin1Char('E'), QStringLiteral("Aqua"), QColor(127, 255, 212)},
        {24, QLatin1Char('F'), QStringLiteral("Pink"), QColor(255, 179, 179)},
    }};
    return letters;
}

std::optional<HeightLetter> letterForHeight(int inches)
{
    for (const HeightLetter& h : heightLetters())
        if (h.inches == inches)
            return h;
    return std::nullopt;
}

QString legendLine(const HeightLetter& h)
{
    return QString(h.letter) + QStringLiteral(" = ") + QString::number(h.inches) + QLatin1Char('"')
         + QStringLiteral(" = ") + h.colourName;
}

int actualJumpHeight(const xbase::RecordView& entry)
{
    const QString cat = entry.text(QStringLiteral("ht_cat"));
    const QChar c = cat.isEmpty() ? QChar() : cat.at(0);
    QString field;
    if (c == QLatin1Char('R'))
        field = kRegHt;
    else if (c == QLatin1Char('S'))
        field = QStringLiteral("spec_ht");
    else if (c == QLatin1Char('T') || c == QLatin1Char('V'))
        field = QStringLiteral("vet_ht");
    else
        return 0;
    bool ok = false;
    const int inches = entry.trimmed(field).toInt(&ok);
    return ok ? inches : 0;
}

QColor rowColour(const xbase::RecordView& entry)
{
    const std::optional<HeightLetter> h = letterForHeight(actualJumpHeight(entry));
    return h ? h->colour : QColor();
}

QString armbandFor(const QString& regHt, int number, int digits)
{
    return regHt.leftJustified(2, QLatin1Char(' '), true) + QString::number(number).rightJustified(digits, QLatin1Char('0'));
}

QString rightAligned(const QString& armband, int digits)
{
    // Right-trimmed only: the blank in front of a 4- or 8-inch number is part of it, even
    // when the number is too long for the digits now set (numbered under three digits).
    const QString t = rightTrimmed(armband);
    if (t.isEmpty())
        return {};
    return t.rightJustified(digits + 2, QLatin1Char(' '));
}

QString gateKeyFor(QChar letter, int counter)
{
    return QString(letter.toUpper()) + QString::number(counter).rightJustified(3, QLatin1Char('0'));
}

bool isDuplicate(const xbase::Table& entries, const QString& armband, quint32 exclude)
{
    const QString wanted = rightTrimmed(armband);
    if (wanted.isEmpty() || !entries.isOpen())
        return false;
    xbase::ScanCursor scan = entries.scan();
    scan.setShowDeleted(true);
    const quint32 count = entries.recordCount();
    for (quint32 rec = 1; rec <= count; ++rec) {
        if (rec != exclude && scan.go(rec) && rightTrimmed(scan.text(kArmband)) == wanted)
            return true;
    }
    return false;
}

QString duplicateMessage(const QString& armband)
{
    return armband + QStringLiteral(" is a Duplicate Armband # - Revise");
}

std::optional<QString> prepareForPost(xbase::Table& entries, int digits)
{
    const QString armband = rightAligned(entries.text(kArmband), digits);
    entries.setText(kArmband, armband);
    const quint32 self = entries.state() == xbase::Table::State::Insert ? 0 : entries.recNo();
    if (isDuplicate(entries, armband, self))
        return duplicateMessage(rightTrimmed(armband));
    entries.setText(kGateKey, entries.text(kGateKey).toUpper());
    return std::nullopt;
}

void normaliseEntryFields(xbase::Table& entries, int digits)
{
    const QString armband = rightAligned(entries.text(kArmband), digits);
    if (rightTrimmed(entries.text(kArmband)) != armband)
        entries.setText(kArmband, armband);
    const QString gateKey = entries.text(kGateKey);
    if (gateKey != gateKey.toUpper())
        entries.setText(kGateKey, gateKey.toUpper());
}

AssignResult autoAssign(xbase::Table& entries, Assign what, int digits)
{
    AssignResult result;
    const bool doArmbands = what != Assign::GateKeys;
    const bool doGateKeys = what != Assign::Armbands;

    // The walk: the live records of the current order, fixed before anything moves them.
    std::vector<quint32> walk;
    for (quint32 rec : entries.visibleRecords()) {
        if (entries.go(rec) && !entries.isDeleted())
            walk.push_back(rec);
    }

    // Work the numbering out first. Numbers held by deleted records stay theirs, and no
    // number is given twice, whatever order the walk follows.
    std::map<quint32, QString> armbandOf;
    if (doArmbands) {
        QSet<QString> taken = deletedArmbands(entries);
        int limit = 1;
        for (int i = 0; i < digits && limit < 100000000; ++i)
            limit *= 10;
        --limit;   // the largest number of `digits` places
        QString previousHeight;
        bool first = true;
        int running = 0;
        for (quint32 rec : walk) {
            entries.go(rec);
            const QString regHt = entries.text(kRegHt);
            if (first || regHt != previousHeight)
                running = 0;
            first = false;
            previousHeight = regHt;
            QString armband;
            for (++running; running <= limit; ++running) {
                armband = armbandFor(regHt, running, digits);
                if (!taken.contains(rightTrimmed(armband)))
                    break;
            }
            if (running > limit || armband.size() > entries.fieldDef(kArmband).width) {
                armbandOf[rec] = QString();
                result.unnumbered.append(rec);
                continue;
            }
            taken.insert(rightTrimmed(armband));
            armbandOf[rec] = armband;
        }

        // A live record's old armband may be the new number of a record written before it:
        // blank the old numbers that change first, so no write meets a stale one.
        for (quint32 rec : walk) {
            entries.go(rec);
            if (entries.text(kArmband).trimmed() != armbandOf[rec].trimmed() && !entries.isBlank(kArmband))
                writeField(entries, rec, kArmband, QString());
        }
    }

    std::map<QChar, int> counters;
    for (quint32 rec : walk) {
        bool ok = true;
        entries.go(rec);
        if (doArmbands) {
            const QString armband = armbandOf[rec];
            ok = writeField(entries, rec, kArmband, armband);
            if (ok && !armband.isEmpty())
                ++result.armbands;
        }
        if (doGateKeys && ok) {
            entries.go(rec);
            if (const std::optional<HeightLetter> h = letterForHeight(actualJumpHeight(entries))) {
                int& counter = counters.try_emplace(h->letter, 2).first->second;
                ok = writeField(entries, rec, kGateKey, gateKeyFor(h->letter, counter));
                counter += 2;
                if (ok)
                    ++result.gateKeys;
            }
        }
        if (!ok)
            result.refused.append(rec);
    }
    if (doArmbands) {
        for (quint32 rec : walk) {
            if (result.refused.contains(rec) && !result.unnumbered.contains(rec) && entries.go(rec)
                && entries.isBlank(kArmband))
                result.unnumbered.append(rec);
        }
    }
    entries.first();
    return result;
}

void clearArmbands(xbase::Table& entries)
{
    clearField(entries, kArmband);
}

void clearGateKeys(xbase::Table& entries)
{
    clearField(entries, kGateKey);
}

QString preferenceCaption(const QString& armbandsPreference, int digits)
{
    const QChar first = armbandsPreference.isEmpty() ? QChar() : armbandsPreference.at(0).toUpper();
    QString caption;
    if (first == QLatin1Char('A'))
        caption = QStringLiteral("Current Armband Preferences = AFTER - ");
    else if (first == QLatin1Char('M'))
        caption = QStringLiteral("Current Armband Preferences = MANUAL - ");
    else
        caption = QStringLiteral("Current Armband Preferences = AS INPUTTED - ");
    return caption + QString::number(digits + 2) + QStringLiteral(" Digits");
}

} // namespace armbands

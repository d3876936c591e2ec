#pragma once

#include <QColor>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace xbase {
class Cursor;
class RecordView;
class Table;
}

// Armband numbers and gate keys, without any window: the rules the armband window, the
// entry panel, the height changes and the catalogue build share.
//
// An armband is the regular height as stored (" 8", "12") followed by a running number
// with leading zeros to `digits` places, kept right-aligned in digits + 2 characters.
// A gate key is a height letter (A = 4 inches ... F = 24) followed by a three-digit
// running number in steps of two, stored in capitals.
namespace armbands {

struct HeightLetter
{
    int inches;
    QChar letter;
    QString colourName;
    QColor colour;
};

// The six heights in ascending order.
const std::array<HeightLetter, 6>& heightLetters();
std::optional<HeightLetter> letterForHeight(int inches);
// One line of the window's legend: A = 4" = Orange.
QString legendLine(const HeightLetter& h);

// The height the dog actually jumps, by the first letter of ht_cat: R the regular height,
// S the specialist height, T and V the veteran height. 0 for any other category or a
// height that is not a number.
int actualJumpHeight(const xbase::RecordView& entry);
// The grid's row colour for an entry; invalid (normal colour) when it has no known height.
QColor rowColour(const xbase::RecordView& entry);

// "12" + number with leading zeros to digits places.
QString armbandFor(const QString& regHt, int number, int digits);
// The text right-trimmed and put right-aligned in digits + 2 characters (blanks in front).
// A longer text is returned right-trimmed, as it cannot be aligned. Blank stays empty.
QString rightAligned(const QString& armband, int digits);
// Letter + counter with leading zeros to three places: C004.
QString gateKeyFor(QChar letter, int counter);

// Whether another record of the table (deleted ones included) holds the same armband,
// compared right-trimmed. A blank armband is never a duplicate. exclude is the record
// being written (0 for a new one).
bool isDuplicate(const xbase::Table& entries, const QString& armband, quint32 exclude);
QString duplicateMessage(const QString& armband);   // "1204 is a Duplicate Armband # - Revise"

// Before a record of the entries table is written from the armband window: the armband
// right-aligned, the gate key in capitals. Returns the duplicate message when the armband
// is held by another record (the write must then be refused).
std::optional<QString> prepareForPost(xbase::Table& entries, int digits);

// The entry panel's rule when the armband or gate key field is left (and again before it
// writes): the armband right-aligned in digits + 2, the gate key in capitals. The record
// must be in edit or insert state; fields that already have that form are not touched.
void normaliseEntryFields(xbase::Table& entries, int digits);

enum class Assign { Armbands, GateKeys, Both };

struct AssignResult
{
    int armbands = 0;            // records given an armband
    int gateKeys = 0;            // records given a gate key
    QList<quint32> unnumbered;   // live records left without an armband
    QList<quint32> refused;      // records whose write was refused (left as they were)
};

// Auto Assign: walks the visible records of the table's current order, skipping records
// marked deleted. Armband numbers restart at 1 whenever reg_ht differs from the previous
// record handled; a number already held by a deleted record, or already given in this
// run, is passed over, so the run ends with every live record numbered and no armband
// twice. A number that no longer fits in digits places cannot be given: that record is
// left blank and reported. Gate keys: each letter's counter starts at 2 and grows by 2;
// a record without a known height keeps its gate key. Ends on the first record.
AssignResult autoAssign(xbase::Table& entries, Assign what, int digits);

// Blank every armband (gate key) of the records not marked deleted; ends on the first record.
void clearArmbands(xbase::Table& entries);
void clearGateKeys(xbase::Table& entries);

// Caption of the preference label: the Armbands preference by its first letter
// (A AfterAutomatic, M Manual, anything else as inputted) and digits + 2.
QString preferenceCaption(const QString& armbandsPreference, int digits);

} // namespace armbands

#pragma once

#include <QString>

// The dog's AGX ID, "nnnnn-nn": the owner's member number, a hyphen and the dog's number
// within that membership, and the lenient way typed IDs are read.
namespace agxid {

// The digits of text read as a whole number, without leading zeros: leading blanks are
// skipped, a leading "+" is dropped and reading stops at the first character that is not
// a digit. Nothing readable (or only zeros) gives "", the number 0. Digits are kept as
// text, so a number of any length keeps all its digits.
QString wholeNumberDigits(const QString& text);

// Compares two texts read as whole numbers (as above): <0, 0 or >0.
int compareWholeNumbers(const QString& a, const QString& b);

struct AgxId
{
    QString member;   // at least five digits, leading zeros
    QString dog;      // at least two digits, leading zeros

    QString text() const { return member + QLatin1Char('-') + dog; }   // "00012-03"
    QString key() const { return member + dog; }                       // DogMaster IDKEY
};

// Splits text at its first hyphen (no hyphen: the member part is empty, the dog part the
// whole text), reads both parts as whole numbers and pads them: 12-3 -> 00012-03.
AgxId normalise(const QString& text);

// Of a stored mem_dog_id: characters 1 to 5, and characters 1 to 5 with 7 and 8 (the
// member_id + dog_id key of DogMaster and Updates).
QString memberOf(const QString& memDogId);
QString keyOf(const QString& memDogId);

} // namespace agxid

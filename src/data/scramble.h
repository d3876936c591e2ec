#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Entries files and AGX's member and dog files are stored with every byte of a
// record except the deletion mark shifted by one constant. The table layer calls
// the record functions as its read and write callbacks, with the record bytes
// after the deletion mark (which stays readable to any dBASE reader). Raw field
// bytes read past the callbacks go through UnscrambleText.
namespace data {

inline constexpr unsigned char kScrambleKey = 0x2F;

// Write callback: adds the key to every byte (mod 256), after the OEM encoding.
void ScrambleRecord(char* bytes, qsizetype size);

// Read callback: subtracts the key from every byte, before the OEM decoding.
void UnscrambleRecord(char* bytes, qsizetype size);

// Subtracts the key from every byte; the result is still in the OEM code page.
QByteArray UnscrambleBytes(QByteArrayView raw);

// UnscrambleBytes decoded from code page 437, the page of every scrambled file.
QString UnscrambleText(QByteArrayView raw);

} // namespace data

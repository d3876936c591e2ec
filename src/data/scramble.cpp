#include "data/scramble.h"

#include "platform/xbase/codepage.h"

namespace data {
namespace {

void shift(char* bytes, qsizetype size, unsigned char by)
{
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(static_cast<unsigned char>(bytes[i]) + by);
}

constexpr unsigned char kUnshift = static_cast<unsigned char>(256 - kScrambleKey);

} // namespace

void ScrambleRecord(char* bytes, qsizetype size)
{
    shift(bytes, size, kScrambleKey);
}

void UnscrambleRecord(char* bytes, qsizetype size)
{
    shift(bytes, size, kUnshift);
}

QByteArray UnscrambleBytes(QByteArrayView raw)
{
    QByteArray plain(raw.data(), raw.size());
    shift(plain.data(), plain.size(), kUnshift);
    return plain;
}

QString UnscrambleText(QByteArrayView raw)
{
    return xbase::CodePage::get(xbase::CodePage::Cp437).decode(UnscrambleBytes(raw));
}

} // namespace data

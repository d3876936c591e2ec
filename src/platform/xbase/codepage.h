#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <array>

namespace xbase {

// An 8-bit DOS/Windows code page with its own 256-entry table (Qt 6 core has none of these).
// Table text is kept as these bytes and decoded only when read, so untouched bytes
// round-trip exactly.
class CodePage
{
public:
    enum Id { Cp437, Cp850, Cp1252 };

    static const CodePage& get(Id id);
    // The code page named by a file's language-driver byte (header byte 29): 0x01 = 437,
    // 0x02 = 850, 0x03 and 0x57 = 1252; anything else (including 0) means 437.
    static const CodePage& forLanguageDriver(unsigned char ldid);

    Id id() const { return m_id; }
    int number() const;                     // 437, 850 or 1252
    unsigned char languageDriver() const;   // the byte we write for this page

    QString decode(QByteArrayView bytes) const;
    QChar decode(unsigned char byte) const { return QChar(m_toUnicode[byte]); }
    // Characters the page lacks become '?'.
    QByteArray encode(QStringView text) const;
    unsigned char encode(QChar c) const;
    // Upper case of one byte: upper-cased in Unicode and encoded back; a byte whose upper-case
    // form is not in the page stays as it is.
    unsigned char upper(unsigned char byte) const { return m_upper[byte]; }
    const std::array<unsigned char, 256>& upperTable() const { return m_upper; }

private:
    explicit CodePage(Id id);
    Id m_id;
    std::array<char16_t, 256> m_toUnicode{};
    std::array<unsigned char, 256> m_upper{};
};

} // namespace xbase

#pragma once

#include <QString>
#include <QStringList>

// A settings file with the semantics of the Windows profile functions:
// - section and key names are case-insensitive; values are literal text to the end of
//   the line (commas, semicolons, brackets kept; keys such as TzGrid1[0] used verbatim);
// - blanks around names and values, and one pair of quotes around a value, are removed on read;
// - every read opens, reads and closes the file (nothing is cached), so a change made by
//   another IniFile on the same path is seen at once; a missing file gives the defaults;
// - booleans are written "1"/"0" and read as integer != 0;
// - integers are read leniently: leading blanks and sign, then digits up to the first
//   non-digit ("12abc" is 12); no digits at all gives the default; "0x1A" is hexadecimal;
// - a write creates the file (and its section) if missing and changes only that key's
//   line, keeping every other line of the file exactly as it was.
// Files are written as UTF-8 with CRLF line ends; reads accept LF or CRLF, and fall back
// to Latin-1 when the bytes are not valid UTF-8.
class IniFile
{
public:
    explicit IniFile(const QString& path);

    const QString& path() const { return m_path; }

    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;
    bool keyExists(const QString& section, const QString& key) const;
    bool sectionExists(const QString& section) const;
    QStringList sections() const;
    QStringList keys(const QString& section) const;

    // Throw AppError("Unable to write to " + path) when the file cannot be written.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);
    void deleteKey(const QString& section, const QString& key);
    void eraseSection(const QString& section);

private:
    QString m_path;
};

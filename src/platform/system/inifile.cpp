#include "platform/system/inifile.h"

#include "platform/system/errors.h"
#include "platform/system/textfile.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace {

QStringList readLines(const QString& path)
{
    return readTextLines(path);
}

void writeLines(const QString& path, const QStringList& lines)
{
    writeTextLines(path, lines);
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The section name when line is a section header.
std::optional<QStringView> sectionName(QStringView line)
{
    QStringView t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    qsizetype close = t.indexOf(QLatin1Char(']'));
    QStringView name = close < 0 ? t.mid(1) : t.mid(1, close - 1);
    return name.trimmed();
}

struct KeyLine
{
    QStringView key;
    QStringView value;
};

std::optional<KeyLine> keyLine(QStringView line)
{
    qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    return KeyLine{line.left(eq).trimmed(), line.mid(eq + 1).trimmed()};
}

QString unquoted(QStringView value)
{
    if (value.size() >= 2) {
        QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2).toString();
    }
    return value.toString();
}

// Line range [first, end) of the first section named section: first is the header line.
struct SectionRange
{
    qsizetype header = -1;
    qsizetype end = -1;
};

SectionRange findSection(const QStringList& lines, const QString& section)
{
    SectionRange range;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        auto name = sectionName(lines[i]);
        if (!name)
            continue;
        if (range.header >= 0) {
            range.end = i;
            return range;
        }
        if (sameName(*name, section))
            range.header = i;
    }
    if (range.header >= 0)
        range.end = lines.size();
    return range;
}

qsizetype findKey(const QStringList& lines, const SectionRange& range, const QString& key)
{
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        auto kv = keyLine(lines[i]);
        if (kv && sameName(kv->key, key))
            return i;
    }
    return -1;
}

std::optional<QString> lookUp(const QString& path, const QString& section, const QString& key)
{
    const QStringList lines = readLines(path);
    SectionRange range = findSection(lines, section);
    if (range.header < 0)
        return std::nullopt;
    qsizetype i = findKey(lines, range, key);
    if (i < 0)
        return std::nullopt;
    return unquoted(keyLine(lines[i])->value);
}

// Leading blanks, an optional sign, then decimal digits (or 0x/$ and hex digits) up to
// the first other character.
std::optional<int> leadingInteger(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (text.mid(i).startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        i += 2;
    } else if (i < text.size() && text[i] == QLatin1Char('$')) {
        base = 16;
        i += 1;
    }
    qint64 value = 0;
    bool any = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = 10 + (c - u'a');
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = 10 + (c - u'A');
        if (digit < 0)
            break;
        any = true;
        value = std::min<qint64>(value * base + digit, qint64(std::numeric_limits<int>::max()) + 1);
    }
    if (!any)
        return std::nullopt;
    if (negative)
        value = -value;
    value = std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    return int(value);
}

QString oneLine(QString value)
{
    // A line break inside a value would split the file's line and lose the rest.
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

} // namespace

IniFile::IniFile(const QString& path) : m_path(path) {}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    return lookUp(m_path, section, key).value_or(defaultValue);
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    auto text = lookUp(m_path, section, key);
    if (!text)
        return defaultValue;
    return leadingInteger(*text).value_or(defaultValue);
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::keyExists(const QString& section, const QString& key) const
{
    return lookUp(m_path, section, key).has_value();
}

bool IniFile::sectionExists(const QString& section) const
{
    return findSection(readLines(m_path), section).header >= 0;
}

QStringList IniFile::sections() const
{
    QStringList result;
    for (const QString& line : readLines(m_path))
        if (auto name = sectionName(line))
            result.append(name->toString());
    return result;
}

QStringList IniFile::keys(const QString& section) const
{
    const QStringList lines = readLines(m_path);
    SectionRange range = findSection(lines, section);
    QStringList result;
    if (range.header < 0)
        return result;
    for (qsizetype i = range.header + 1; i < range.end; ++i)
        if (auto kv = keyLine(lines[i]); kv && !kv->key.isEmpty())
            result.append(kv->key.toString());
    return result;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    QStringList lines = readLines(m_path);
    SectionRange range = findSection(lines, section);
    const QString clean = oneLine(value);
    if (range.header < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QString());
        lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines.append(key + QLatin1Char('=') + clean);
    } else if (qsizetype i = findKey(lines, range, key); i >= 0) {
        // Keep the key as spelled in the file.
        lines[i] = keyLine(lines[i])->key.toString() + QLatin1Char('=') + clean;
    } else {
        qsizetype at = range.end;
        while (at > range.header + 1 && lines[at - 1].trimmed().isEmpty())
            --at; // before the blank lines that separate sections
        lines.insert(at, key + QLatin1Char('=') + clean);
    }
    writeLines(m_path, lines);
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::deleteKey(const QString& section, const QString& key)
{
    QStringList lines = readLines(m_path);
    SectionRange range = findSection(lines, section);
    if (range.header < 0)
        return;
    qsizetype i = findKey(lines, range, key);
    if (i < 0)
        return;
    lines.removeAt(i);
    writeLines(m_path, lines);
}

void IniFile::eraseSection(const QString& section)
{
    QStringList lines = readLines(m_path);
    SectionRange range = findSection(lines, section);
    if (range.header < 0)
        return;
    lines.remove(range.header, range.end - range.header);
    writeLines(m_path, lines);
}

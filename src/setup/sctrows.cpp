#include "setup/sctrows.h"

#include "platform/xbase/table.h"
#include "setup/sctrules.h"

#include <optional>

namespace setup {

namespace {

const QString kLookup = QStringLiteral("LOOKUP");

bool isFullHouse(const QString& classname)
{
    return classname.trimmed().compare(kFullHouse, Qt::CaseInsensitive) == 0;
}

QStringList copiedFields()
{
    QStringList fields{QStringLiteral("yards")};
    fields += sctTimeFields();
    return fields;
}

void appendRow(xbase::Table& sct, const SctRowKey& key, const QString& round, const QString& levels)
{
    sct.append();
    sct.setInt(QStringLiteral("show_num"), key.showNum);
    sct.setText(QStringLiteral("day_num"), QString::number(key.day));
    sct.setText(QStringLiteral("classname"), key.classname.trimmed());
    sct.setText(QStringLiteral("round"), round);
    sct.setText(QStringLiteral("levels"), levels);
}

// The yards and times of the row sought by key, if there is one.
std::optional<QStringList> timesOf(const xbase::Table& sct, const QString& rowKey)
{
    xbase::ScanCursor scan = sct.scan();
    scan.setCurrentTag(kLookup);
    if (!scan.seek(rowKey))
        return std::nullopt;
    QStringList values;
    for (const QString& field : copiedFields())
        values.append(scan.text(field));
    return values;
}

void setTimes(xbase::Table& sct, const QStringList& values)
{
    const QStringList fields = copiedFields();
    for (qsizetype i = 0; i < fields.size(); ++i)
        sct.setText(fields[i], values.value(i));
}

} // namespace

bool findOrAppendSctRow(xbase::Table& sct, const SctRowKey& key)
{
    if (sct.state() != xbase::Table::State::Browse)
        sct.cancel();
    sct.setCurrentTag(kLookup);
    if (isFullHouse(key.classname)) {
        if (sct.seek(fullHouseKey(key.day), xbase::SeekMode::Partial))
            return false;
        appendRow(sct, key, QStringLiteral("1"), kFullHouseLevels);
        for (const FieldValue& v : fullHouseDefaults())
            sct.setText(v.field, v.value);
        sct.post();
        return true;
    }

    const QString rowKey = sctKey(key.day, key.classname, key.round, key.levelKey);
    if (sct.seek(rowKey))
        return false;
    std::optional<QStringList> seed;
    for (const QString& level : mirrorKeysFor(key.classname, key.levelKey, QStringLiteral("12"))) {
        seed = timesOf(sct, sctKey(key.day, key.classname, key.round, level));
        if (seed)
            break;
    }
    appendRow(sct, key, key.round, key.levelKey);
    if (seed)
        setTimes(sct, *seed);
    sct.post();
    return true;
}

void mirrorSctRow(xbase::Table& sct, const SctRowKey& key, const QString& available)
{
    const QStringList mirrors = mirrorKeysFor(key.classname, key.levelKey, available);
    if (mirrors.isEmpty())
        return;
    const quint32 saved = sct.recNo();
    QStringList values;
    for (const QString& field : copiedFields())
        values.append(sct.text(field));
    sct.setCurrentTag(kLookup);
    for (const QString& level : mirrors) {
        if (sct.seek(sctKey(key.day, key.classname, key.round, level))) {
            sct.edit();
        } else {
            SctRowKey mirror = key;
            mirror.levelKey = level;
            appendRow(sct, mirror, key.round, level);
        }
        setTimes(sct, values);
        sct.post();
    }
    sct.go(saved);
}

QString sctTimesRefusal(const xbase::Table& sct)
{
    for (const QString& field : sctTimeFields()) {
        const QString value = sct.text(field);
        if (readTime(value).refused())
            return notWholeSecondsText(value);
    }
    return {};
}

} // namespace setup

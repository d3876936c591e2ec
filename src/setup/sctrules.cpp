#include "setup/sctrules.h"

#include <QLocale>

namespace setup {

const QStringList& sctPageOrder()
{
    static const QStringList order{kStandard, kColors, kWildcard, kJumpers, kSnooker, kJackpot, kFullHouse};
    return order;
}

QStringList visibleSctPages(const QStringList& dayClasses)
{
    QStringList pages;
    for (const QString& page : sctPageOrder())
        if (dayClasses.contains(page, Qt::CaseInsensitive))
            pages.append(page);
    return pages;
}

QString sctDayCaption(const QDate& firstDate, int day)
{
    const QString weekday = QLocale(QLocale::English).dayName(firstDate.addDays(day - 1).dayOfWeek());
    return QStringLiteral("Day %1 - ").arg(day) + weekday.left(3);
}

QString runCountCode(const QString& classname)
{
    static const QList<std::pair<QString, QString>> codes{
        {kStandard, QStringLiteral("std")},  {kColors, QStringLiteral("clrs")},   {kWildcard, QStringLiteral("wild")},
        {kJumpers, QStringLiteral("jump")},  {kSnooker, QStringLiteral("snok")},  {kJackpot, QStringLiteral("jack")},
        {kFullHouse, QStringLiteral("full")},
    };
    for (const auto& [name, code] : codes)
        if (name.compare(classname.trimmed(), Qt::CaseInsensitive) == 0)
            return code;
    return {};
}

QStringList runTabsFor(int runs)
{
    QStringList tabs{QStringLiteral("ROUND 1")};
    if (runs > 1)
        tabs.append(QStringLiteral("ROUND 2"));
    return tabs;
}

namespace {

bool isClass(const QString& classname, const QString& name)
{
    return classname.trimmed().compare(name, Qt::CaseInsensitive) == 0;
}

bool isGameClass(const QString& classname)
{
    return isClass(classname, kSnooker) || isClass(classname, kJackpot);
}

bool offers(const QString& available, const char* levels)
{
    for (const char* l = levels; *l; ++l)
        if (available.contains(QLatin1Char(*l), Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

QList<LevelTab> levelTabsFor(const QString& classname, const QString& available)
{
    QList<LevelTab> tabs;
    const LevelTab higher{QStringLiteral("Level 4-5-C"), QStringLiteral("45C")};
    if (isGameClass(classname)) {
        if (offers(available, "12"))
            tabs.append({QStringLiteral("Level 1 & 2"), QStringLiteral("12")});
        if (offers(available, "3"))
            tabs.append({QStringLiteral("Level 3"), QStringLiteral("3")});
        if (offers(available, "45C"))
            tabs.append(higher);
    } else if (derivesEnthusiastTime(classname)) {
        for (const char* level : {"1", "2", "3"})
            if (offers(available, level))
                tabs.append({QStringLiteral("Level ") + QLatin1String(level), QLatin1String(level)});
        // The higher levels are run on one course, offered with level 4.
        if (offers(available, "4"))
            tabs.append(higher);
    }
    return tabs;
}

QString sctKey(int day, const QString& classname, const QString& round, const QString& levelKey)
{
    return QString::number(day) + classname.trimmed().leftJustified(15, QLatin1Char(' '), true) + round.trimmed()
         + levelKey.trimmed();
}

QString fullHouseKey(int day)
{
    return QString::number(day) + kFullHouse;
}

QStringList mirrorKeysFor(const QString& classname, const QString& levelKey, const QString& available)
{
    QStringList keys;
    if (!isGameClass(classname) || levelKey.trimmed() != QStringLiteral("12"))
        return keys;
    for (const char* level : {"1", "2"})
        if (offers(available, level))
            keys.append(QLatin1String(level));
    return keys;
}

TimeValue readTime(const QString& typed)
{
    TimeValue value;
    const QString text = typed.trimmed();
    if (text.isEmpty()) {
        value.blank = true;
        return value;
    }
    if (text.size() > 6)
        return value;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return value;
    value.seconds = text.toInt();
    return value;
}

QString notWholeSecondsText(const QString& typed)
{
    return QStringLiteral("Course times are whole seconds;\"%1\" is not a whole number of seconds.;;"
                          "Please type the time without decimals or other characters.")
        .arg(typed.trimmed());
}

bool derivesEnthusiastTime(const QString& classname)
{
    return isClass(classname, kStandard) || isClass(classname, kColors) || isClass(classname, kWildcard)
        || isClass(classname, kJumpers);
}

int enthusiastAddition(const QString& classname, const QDate& trialDate)
{
    if (isClass(classname, kColors) && trialDate.isValid() && trialDate < QDate(2009, 1, 1))
        return 3;
    return 5;
}

std::optional<QString> enthusiastTime(const QString& classname, const QDate& trialDate, const QString& typed)
{
    if (!derivesEnthusiastTime(classname))
        return std::nullopt;
    const TimeValue time = readTime(typed);
    if (!time.seconds)
        return std::nullopt;
    return QString::number(*time.seconds + enthusiastAddition(classname, trialDate));
}

std::optional<QString> jackpotTotal(const QString& opening, const QString& gamble)
{
    const TimeValue a = readTime(opening);
    const TimeValue b = readTime(gamble);
    if (!a.seconds || !b.seconds)
        return std::nullopt;
    return QString::number(*a.seconds + *b.seconds);
}

std::optional<QString> snookerLargeDogTime(const QString& smallDogTime)
{
    const TimeValue time = readTime(smallDogTime);
    if (!time.seconds)
        return std::nullopt;
    return QString::number(*time.seconds - 5);
}

QList<FieldValue> fullHouseDefaults(bool withEnthusiastTimes)
{
    QList<FieldValue> values{
        {QStringLiteral("time8"), QStringLiteral("35")},
        {QStringLiteral("time8_2"), QStringLiteral("40")},
        {QStringLiteral("time16"), QStringLiteral("30")},
        {QStringLiteral("time16_2"), QStringLiteral("35")},
    };
    if (withEnthusiastTimes) {
        values.append({QStringLiteral("e_time8"), QStringLiteral("40")});
        values.append({QStringLiteral("e_time16"), QStringLiteral("35")});
    }
    return values;
}

const QStringList& sctTimeFields()
{
    static const QStringList fields{
        QStringLiteral("time8"),   QStringLiteral("time16"),   QStringLiteral("time8_2"), QStringLiteral("time16_2"),
        QStringLiteral("time8_3"), QStringLiteral("time16_3"), QStringLiteral("e_time8"), QStringLiteral("e_time16"),
    };
    return fields;
}

} // namespace setup

#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Standard course times: the level keys their rows are filed under, the tabs the
// course-times window shows for a day, and the rules by which some times follow from
// others. Plain functions, so the results window and the high-in-trial calculation can
// use the same rules.
namespace setup {

// Course-time classes as stored in classname.
inline const QString kStandard = QStringLiteral("Standard");
inline const QString kColors = QStringLiteral("Colors");
inline const QString kWildcard = QStringLiteral("Wildcard");
inline const QString kJumpers = QStringLiteral("Jumpers");
inline const QString kSnooker = QStringLiteral("Snooker");
inline const QString kJackpot = QStringLiteral("Jackpot");
inline const QString kFullHouse = QStringLiteral("FullHouse");
inline const QString kFullHouseLevels = QStringLiteral("12345C");

// The class pages of the course-times window in page order.
const QStringList& sctPageOrder();

// The page names that a day shows: those of sctPageOrder() that occur in dayClasses
// (the classnames of the day's running-order rows, trimmed), in page order.
QStringList visibleSctPages(const QStringList& dayClasses);

// "Day 2 - Sun": the course-times day tab, weekday in English.
QString sctDayCaption(const QDate& firstDate, int day);

// The ShowDates run-count code of a course-time class ("std", "jump" ...), empty for others.
QString runCountCode(const QString& classname);

// "ROUND 1", and "ROUND 2" when the class runs more than once that day.
QStringList runTabsFor(int runs);

struct LevelTab
{
    QString caption;   // as shown ("Level 1 & 2" for the Snooker/Jackpot tab)
    QString key;       // the level key of its SCTInfo row

    friend bool operator==(const LevelTab&, const LevelTab&) = default;
};

// The level tabs of a class page for a day offering `available` (levels in "12345C").
// Standard, Colors, Wildcard, Jumpers: 1, 2, 3 and "4-5-C" (shown when level 4 is
// offered); Snooker and Jackpot: "1 & 2", 3 and "4-5-C" (when 4, 5 or C is offered).
// Other classes have no level tabs.
QList<LevelTab> levelTabsFor(const QString& classname, const QString& available);

// The LOOKUP key: day digit + class name blank-padded to 15 + run + level key.
QString sctKey(int day, const QString& classname, const QString& round, const QString& levelKey);
// The FullHouse row of a day is found by day digit + "FullHouse" alone.
QString fullHouseKey(int day);

// The combined Snooker/Jackpot key "12" of the course-times window is read elsewhere as
// "1" and "2" (results entry, high in trial). The keys a row saved under levelKey is
// also copied to: "1" and/or "2", those of them the day offers; none for other rows.
QStringList mirrorKeysFor(const QString& classname, const QString& levelKey, const QString& available);

// A course time as typed: whole seconds, digits only (blanks around are ignored). Blank
// gives nothing and is no error; anything else that is not a whole number is refused.
struct TimeValue
{
    bool blank = false;
    std::optional<int> seconds;   // set when the text is a whole number of seconds

    bool refused() const { return !blank && !seconds; }
};
TimeValue readTime(const QString& typed);

// The message for a course time that is not whole seconds.
QString notWholeSecondsText(const QString& typed);

// Enthusiast/Specialist time: the regular time plus 5 (Standard, Colors, Wildcard,
// Jumpers); Colors adds 3 when the trial's date is before 01/01/2009.
bool derivesEnthusiastTime(const QString& classname);
int enthusiastAddition(const QString& classname, const QDate& trialDate);
// The e_time8/e_time16 value for a time8/time16 box just left: nothing when the class
// has no such rule or the box holds no whole number of seconds.
std::optional<QString> enthusiastTime(const QString& classname, const QDate& trialDate, const QString& typed);

// Jackpot total (opening + gamble) and Snooker large-dog time (small-dog time - 5):
// nothing unless every time read is whole seconds.
std::optional<QString> jackpotTotal(const QString& opening, const QString& gamble);
std::optional<QString> snookerLargeDogTime(const QString& smallDogTime);

// The times a new FullHouse row starts with; the results window's rows also get the
// Enthusiast pair.
struct FieldValue
{
    QString field;
    QString value;
};
QList<FieldValue> fullHouseDefaults(bool withEnthusiastTimes = false);

// Every time field of an SCTInfo row, in stored order.
const QStringList& sctTimeFields();

} // namespace setup

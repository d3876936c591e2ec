#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class TDmod;
namespace xbase {
class RecordView;
}

// What a trial offers, read from its ShowDates row: per day the levels and the number
// of runs of each class. The level groupings and the running order are built from it.
namespace setup {

struct TrialClass
{
    QString name;   // as stored in classname: "Standard" ...
    QString code;   // of the ShowDates run-count field: "std" ...
};

// The seven classes; the level groupings list Jackpot before Snooker, the running
// order Snooker before Jackpot.
const QList<TrialClass>& levGroupClassOrder();
const QList<TrialClass>& runOrderClassOrder();

struct DayOffer
{
    QString available;             // levels offered, in the order 1 2 3 4 5 C ("34C")
    std::array<int, 7> runs{};     // runs of each class, indexed like levGroupClassOrder()

    int runsOf(const QString& classCode) const;
};

struct TrialOffer
{
    int showNum = 0;
    QDate firstDate;
    QList<DayOffer> days;          // day N is days[N - 1]; at most four
};

// Reads a ShowDates row. num_days is kept within 0..4 and run counts within 0..9, the
// widths of the fields they end up in.
TrialOffer readTrialOffer(const xbase::RecordView& showDates);

// The trial's row in ShowDates (sought as str(show_num,5) on SHOWNUM), or nothing.
std::optional<TrialOffer> findTrial(TDmod& dmod, int trialNumber);

// "Day 1 - 06/05/2004", "Day 2 - 06/06/2004" ...: the day tab captions.
QString dayCaption(const QDate& firstDate, int day);
QStringList dayCaptions(const QDate& firstDate, int days);

// An answer to "Enter the Show Number: " read as a whole number: blanks, a leading "+"
// and thousands separators are ignored, reading stops at the first other character, and
// an empty answer is 0. Numbers too long for a trial number give -1 (never a trial).
int readShowNumber(const QString& answer);

} // namespace setup

#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace xbase {
class Cursor;
class RecordView;
class Table;
}

// The rules of the entry form that need no window: names of the day fields, what a trial
// offers per day, the runs-per-day count, proposed second heights, and the checks a save
// makes. The entry panel (entrypanel.h) is a thin layer over these.
namespace entry {

constexpr int kDays = 4;
constexpr int kClasses = 7;
constexpr int kLevels = 6;     // 1 2 3 4 5 C
constexpr int kRunBoxes = 3;   // run 1, run 2, DOS

struct EntryClass
{
    QString caption;   // row caption: "Standard"
    QString code;      // field code: "std"
};

// The seven classes in the order of the rows on every day page.
const QList<EntryClass>& entryClasses();

// "12345C": the level of button position 1..6, and the position of a level (0 if none).
QChar levelAt(int position);
int levelPosition(QChar level);

// Field names: dN_c_1 (run 1), dN_c_2 (run 2), dN_c_3 (DOS); the level field is dN_std_lev
// for Standard and dN_c_lv for the others. row is 1..7, kind 1..3.
QString runField(int day, int row, int kind);
QString levelField(int day, int row);

// Object-name numbers of the run boxes and level buttons.
int checkBoxNumber(int day, int row, int kind);        // 1..84
int speedButtonNumber(int day, int row, int position); // 1..168

// What one day offers: the levels with a button and the runs of each class row.
struct DayOffer
{
    std::array<bool, kLevels> levels{};   // 1 2 3 4 5 C
    std::array<int, kClasses> runs{};     // by row (entry class order)
};

struct TrialDays
{
    int trialNumber = 0;
    int numDays = 0;       // 0..4
    QDate showDate;        // day 1
    std::array<DayOffer, kDays> days{};
};

// From a ShowDates row. num_days is kept within 0..4.
TrialDays readTrialDays(const xbase::RecordView& showDates);
// Seeks the trial on SHOWNUM (opened and positioned by the caller); nothing when absent.
std::optional<TrialDays> findTrialDays(xbase::Table& showDates, int trialNumber);

// "Sat/  37": weekday of the day's date in English, "/", the count right-aligned in 4.
QString dayTabCaption(const QDate& showDate, int day, int runCount);

// Ticked run-1 and run-2 fields per day over every record that is not marked deleted
// (DOS boxes do not count). Days beyond numDays stay 0. Reads through a scan, so the
// entries table does not move.
std::array<int, kDays> countRunsPerDay(const xbase::Table& entries, int numDays);

// Heights
enum class Category { Regular, Veteran, Enthusiast, Specialist };
QChar categoryLetter(Category category);           // R V T S
std::optional<Category> categoryFromLetter(QChar letter);

// Stored form of a height: " 4", " 8", "12" ...; 0 gives blank.
QString heightText(int inches);
// A stored height read as a number; 0 when it is not one.
int heightValue(const QString& text);

// The second height proposed when a category is chosen, from the regular height as loaded:
// Veteran and Enthusiast 4 inches lower, Specialist 8 lower, never below 4; Regular gives
// the regular height itself. Nothing when the regular height is not a number above 0.
std::optional<int> proposedHeight(Category category, int regularHeight);

// What a save writes for the second height (step by step as the form asks).
struct SecondHeight
{
    QChar htCat;                    // 'V', 'T' or 'S'
    std::optional<QString> vetHt;   // nothing: leave the field as it is
    std::optional<QString> specHt;
    QString srtHt;                  // "1" or "2"
};
// For a category mark that is set (Veteran, Enthusiast, Specialist): the other height
// field is blanked. For an answer to the category question the other field is left.
SecondHeight secondHeightForMark(Category mark, int inches);
SecondHeight secondHeightForAnswer(Category answer, int inches);

// The level check: the first day and row (in day order, then row order) with a run ticked
// and no level chosen, as "Day 2 - Snooker". dayShown says which days count; rowState
// gives run 1, run 2 and whether a level is chosen.
struct RowState
{
    bool run1 = false;
    bool run2 = false;
    bool hasLevel = false;
};
std::optional<QString> missingLevel(const std::function<bool(int day)>& dayShown,
                                    const std::function<RowState(int day, int row)>& rowState);

// Clears every level field of days 1..numDays whose class has neither run ticked.
// Returns how many were cleared. The table must be in edit or insert state.
int clearOrphanLevels(xbase::Table& entries, int numDays);

// The texts of the form.
namespace text {
QString levelQuestion();
QString noRegularHeight();
QString secondHeightQuestion();
QString levelMissingOnSave(const QString& dayAndClass);
QString levelMissingOnPost(const QString& dayAndClass);
QString ownerNameNotice();
QString recordStatus(quint32 recNo, quint32 count);
QString addingStatus(quint32 count);
} // namespace text

} // namespace entry

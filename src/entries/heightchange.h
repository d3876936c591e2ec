#pragma once

#include <QString>

#include <optional>

namespace xbase {
class RecordView;
class Table;
}

// Changing one dog's regular jump height after it was measured at the trial: its second
// height follows the new regular height, it gets the next armband of the new height's
// series, and the results rows already loaded for it follow.
namespace heightchange {

enum class Category { Regular, Veteran, Enthusiast, Specialist };

// From ht_cat: "V", "T", "S"; anything else counts as regular.
Category categoryOf(const xbase::RecordView& entry);
// "VETERAN", "ENTHUSIAST", "SPECIALIST", or empty for a regular dog.
QString categoryCaption(Category category);

struct Heights
{
    QString regular;      // " 8", "12" ...
    QString veteran;      // regular - 4, never below 4 (also enthusiast)
    QString specialist;   // regular - 8, never below 4
};
Heights heightsFor(int regularInches);
// The height the dog jumps at in its category.
QString jumpHeight(const Heights& heights, Category category);

// Finds the dog by its armband exactly as typed (blanks in front included) on tag ARMBAND,
// which stays current. An empty text finds nothing.
bool findDog(xbase::Table& entries, const QString& typedArmband);

// The owner as shown: first and last right-trimmed with one blank between. Shown on a
// plain-text label without a buddy, so an "&" stays as it is.
QString ownerCaption(const xbase::RecordView& entry);

// The next armband of the new height's series: the highest number over every record
// (deleted ones included) whose armband begins with the new regular height, plus one,
// with leading zeros to W places, W being digits (5 when digits is 4 and the table has
// 100 records or more).
QString nextArmband(const xbase::Table& entries, int regularInches, int digits);

struct Change
{
    QString oldArmband;   // right-trimmed
    QString newArmband;
    int resultsRows = 0;  // results rows changed
};

// The dog on the current record of entries gets the new regular height, its second height
// and the next armband of that series. results, when given (open), gets every row of the
// old armband changed to match. Returns nothing (and writes nothing) when the entry could
// not be written.
std::optional<Change> changeHeight(xbase::Table& entries, xbase::Table* results, int regularInches, int digits);

// The rows of one dog in the trial's results table: armband, fullarm's first digits + 2
// characters, class height and jump height. Returns how many rows were written.
int updateResults(xbase::Table& results, const QString& oldArmband, const QString& newArmband,
                  const Heights& heights, Category category, int digits);

namespace text {
QString notFound();        // "Armband Not Found - Try Again"
QString noHeight();        // "You must select a Height!"
QString changed(const QString& armband);
} // namespace text

} // namespace heightchange

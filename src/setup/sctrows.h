#pragma once

#include <QDate>
#include <QString>

namespace xbase {
class Table;
}

// The rows of the trial's SCTInfo table the course-times window shows and writes.
namespace setup {

// What a row is looked up by.
struct SctRowKey
{
    int showNum = 0;
    int day = 1;
    QString classname;   // "Standard" ...
    QString round;       // "1", "2"
    QString levelKey;    // "1", "2", "3", "45C", "12"; ignored for FullHouse
};

// Positions sct (tag LOOKUP) on the row of the key, appending it when there is none:
// show_num, day_num, classname, round and levels with every time blank. A FullHouse row
// is found by day and class alone and is appended with round "1", levels "12345C" and
// the FullHouse default times. A new Snooker/Jackpot "12" row starts with the times of
// the day's "1" row (else "2" row), so times typed in results entry show here.
// Returns true when the row was appended.
bool findOrAppendSctRow(xbase::Table& sct, const SctRowKey& key);

// After the row of key was saved: copies its yards and times into the rows of
// mirrorKeysFor() (appended when missing), then returns to the saved row.
void mirrorSctRow(xbase::Table& sct, const SctRowKey& key, const QString& available);

// The first time field of the record buffer that is not whole seconds, as a message to
// show; empty when every time can be used.
QString sctTimesRefusal(const xbase::Table& sct);

} // namespace setup

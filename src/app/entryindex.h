#pragma once

#include "platform/ui/dialogs.h"
#include "platform/ui/tablemodel.h"

#include <QList>
#include <QString>

class IniFile;

namespace xbase {
class Table;
}

// The orders in which the entries of the open trial are browsed, the search by the current
// order, and the saved column layout of the entries grid. Nothing here shows a window
// except EntrySearch::find, which asks through Dialogs.
namespace entryindex {

struct EntryOrder
{
    QString menuCaption;   // main window's Index menu
    QString gridCaption;   // grid window's Index menu and status bar
    QString tag;           // empty: record number (input order)
    QString statusText;    // main window's status bar
    QString searchLabel;
};

// In the order of the Index menu: Last Name, Armband #, AGX ID #, Call Name, Input Order.
const QList<EntryOrder>& entryOrders();
// The order whose tag is tag (letter case ignored); Input Order for an empty or unknown tag.
const EntryOrder& orderOfTag(const QString& tag);

// Chosen by the first letter of the tag's name: A, C, I, N; anything else is "Record #".
QString searchLabel(const QString& tag);
// "Input Order", "Armband #", "Call Name", "AGX ID#" or "Last Name", by the same letter.
QString gridOrderName(const QString& tag);

// "12-3" -> "00012-03"; "1234" -> "01234" (one digit more than typed). Text that is not a
// number is left as it is.
QString normaliseAgxId(const QString& text);

// The last search text as the input box offers it again: padded with blanks to 20.
QString offeredText(const QString& lastText);

enum class SearchWindow { Main, Grid };

struct FindOutcome
{
    bool found = false;
    QString message;                       // empty: nothing to say
    MessageIcon icon = MessageIcon::Information;
};

// Looks text (right-trimmed, in capitals) up in the table's current order and makes the
// record current. Not found: the table goes back to the record it was on (if it still
// exists). A record number below 1 is never a record.
FindOutcome lookUp(xbase::Table& entries, const QString& text, SearchWindow window);

// The Find command of one window: remembers its last text while the program runs.
class EntrySearch
{
public:
    explicit EntrySearch(SearchWindow window) : m_window(window) {}

    // Asks in "Find Record" for the text, looks it up and shows what went wrong; true when
    // a record was found.
    bool find(xbase::Table& entries);
    const QString& lastText() const { return m_lastText; }

private:
    SearchWindow m_window;
    QString m_lastText;
};

// The grid's columns: section ShowGridFields (field names) and ShowGridWidths (pixels),
// keys TzGrid1[0] .. TzGrid1[23].
inline constexpr int kGridColumns = 24;
QString gridKey(int column);
QList<GridColumn> defaultGridLayout();
// The saved layout when TzGrid1[0] is there (a missing width reads 1), else the default.
QList<GridColumn> readGridLayout(const IniFile& ini);
// One key per column, in the order given (the order shown).
void writeGridLayout(IniFile& ini, const QList<GridColumn>& columns);

} // namespace entryindex

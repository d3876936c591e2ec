#pragma once

#include <QString>
#include <QStringList>

class Canvas;
namespace xbase {
class Cursor;
class RecordView;
}

// The judges' single-line address list: as text for the window, the file and the
// clipboard, and drawn on the printer page.
namespace setup {

inline const QString kJudgeListHeading = QStringLiteral("Name        Phone  Address   Email");
inline const QString kJudgeListTitle = QStringLiteral("Judge's Address List");

// "First Last  \tphone\taddress  city, state  zip\temail", each field without trailing blanks.
QString judgeAddressLine(const xbase::RecordView& judge);

// The heading and one line per judge not marked deleted, in the cursor's current order.
// The cursor is moved.
QStringList judgeAddressLines(xbase::Cursor& judges);

// The printout: Arial 10, the title indented 250 at the top of every page, the lines
// indented 150 at 1.4 times the font height, the first line on the fifth line position,
// a new page when the next line would reach four line positions from the bottom.
void drawJudgeAddressList(Canvas& canvas, const QStringList& lines);

} // namespace setup

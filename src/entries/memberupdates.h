#pragma once

#include <QDate>

class TDmod;
namespace xbase {
class RecordView;
}

// What a saved entry tells AGX and the secretary's own member copy: the rows of Updates
// (sent to AGX with the trial's results) and of MyMembers. entry is the saved entries
// record (mem_dog_id "nnnnn-nn").
namespace memberupdates {

// The breed was changed at the save: the dog's Updates row gets the new breed, or a
// breed-change row is appended (member_id, dog_id, breed_chg, breed, call_name).
void RecordBreedChange(TDmod& dmod, const xbase::RecordView& entry);

// The owner's address fields were entered at the save:
// - MyMembers: the member's row gets address, city, state, zip, country, phone, e-mail
//   and modified = today, or a row is appended with the names as well;
// - Updates: the member's own change row (member_chg, no dog_id) gets the same seven
//   fields, or one is appended. Breed-change rows of the member's dogs are left alone.
// Values are cut to the widths of the fields they go into.
void RecordMemberChange(TDmod& dmod, const xbase::RecordView& entry, const QDate& today = QDate::currentDate());

} // namespace memberupdates

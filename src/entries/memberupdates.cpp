#include "entries/memberupdates.h"

#include "data/dmod.h"
#include "entries/agxid.h"

using xbase::Table;

namespace memberupdates {
namespace {

const char* const kAddressFields[] = {"address", "city", "state", "zip", "country", "phone", "email"};

void copyAddress(Table& to, const xbase::RecordView& entry)
{
    for (const char* field : kAddressFields)
        to.setText(field, entry.text(field));   // cut to the target's width
}

void post(Table& table)
{
    if (!table.post())
        throw xbase::Error(QStringLiteral("Cannot write to ") + table.path());
}

// The member's own change row of Updates (member_chg, blank dog_id), or eof.
bool seekMemberChange(Table& updates, const QString& member)
{
    if (!updates.seek(member, xbase::SeekMode::Partial))
        return false;
    for (; !updates.eof() && updates.text("member_id") == member; updates.next()) {
        if (updates.toBool("member_chg") && updates.isBlank("dog_id"))
            return true;
    }
    return false;
}

} // namespace

void RecordBreedChange(TDmod& dmod, const xbase::RecordView& entry)
{
    const QString id = entry.text("mem_dog_id");
    if (agxid::memberOf(id).trimmed().isEmpty())
        return;   // no member to report the dog under
    dmod.OpenUpdates();
    Table& updates = dmod.Updates;
    updates.setCurrentTag(QStringLiteral("IDKEY"));
    if (updates.seek(agxid::keyOf(id))) {
        updates.setText("breed", entry.text("breed"));
    } else {
        updates.append();
        updates.setText("member_id", agxid::memberOf(id));
        updates.setText("dog_id", id.mid(6, 2));
        updates.setBool("breed_chg", true);
        updates.setText("breed", entry.text("breed"));
        updates.setText("call_name", entry.text("call_name"));
    }
    post(updates);
}

void RecordMemberChange(TDmod& dmod, const xbase::RecordView& entry, const QDate& today)
{
    const QString member = agxid::memberOf(entry.text("mem_dog_id"));
    if (member.trimmed().isEmpty())
        return;   // no member whose data changed

    dmod.OpenMyMembers();
    Table& mine = dmod.MyMembers;
    mine.setCurrentTag(QStringLiteral("MEMID"));
    if (!mine.seek(member)) {
        mine.append();
        mine.setText("member_id", member);
        mine.setText("prim_first", entry.text("first"));
        mine.setText("prim_last", entry.text("last"));
    }
    copyAddress(mine, entry);
    mine.setDate("modified", today);
    post(mine);

    dmod.OpenUpdates();
    Table& updates = dmod.Updates;
    updates.setCurrentTag(QStringLiteral("IDKEY"));
    if (!seekMemberChange(updates, member)) {
        updates.append();
        updates.setText("member_id", member);
        updates.setBool("member_chg", true);
    }
    copyAddress(updates, entry);
    post(updates);
}

} // namespace memberupdates

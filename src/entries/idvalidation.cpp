#include "entries/idvalidation.h"

#include "data/dmod.h"
#include "entries/agxid.h"
#include "platform/system/strings.h"
#include "platform/ui/dialogs.h"

using xbase::Table;

IdEntryForm::~IdEntryForm() = default;

namespace {

// The address fields the secretary's own copy is compared on, in the order asked.
const char* const kComparedFields[] = {"address", "city", "state", "zip", "phone", "email"};

// A key part longer than its field can never be stored, so it is never found either
// (a seek would compare only the first characters).
bool fits(const QString& member, const QString& dog)
{
    return member.size() == 5 && dog.size() == 2;
}

} // namespace

TIdValidation::TIdValidation(TDmod& dmod, IdEntryForm& form, MemberDataChooser chooser)
    : m_dmod(dmod), m_form(form), m_chooser(std::move(chooser))
{
}

IdOutcome TIdValidation::TzEdit1Exit()
{
    Table& entries = m_dmod.TzDbf1;
    const Table::State state = entries.state();
    if (m_form.focusMovingToCancel() || (state != Table::State::Edit && state != Table::State::Insert))
        return IdOutcome::Ignored;

    const QString text = rightTrimmed(entries.text("mem_dog_id"));
    if (text.isEmpty()) {
        Dialogs::current().error(emptyIdText());
        return IdOutcome::Empty;
    }
    const bool editing = state == Table::State::Edit;
    if (editing && text != rightTrimmed(m_form.loadedId())) {
        Dialogs::current().warning(idChangedText());
        m_form.cancel();
        return IdOutcome::Cancelled;
    }
    if (text.toUpper() == QLatin1String("PENDING")) {
        Dialogs::current().information(pendingText());
        m_form.cancel();
        m_form.focusAdd();
        return IdOutcome::Cancelled;
    }

    const agxid::AgxId id = agxid::normalise(text);
    const bool fitting = fits(id.member, id.dog);

    m_dmod.OpenMembers();
    xbase::ScanCursor members = m_dmod.Members.scan();
    members.setCurrentTag(QStringLiteral("MEMID"));
    if (!fitting || !members.seek(id.member)) {
        if (agxid::compareWholeNumbers(id.member, m_dmod.MaxMemberID) > 0)
            Dialogs::current().information(memberAboveRangeText());
        else
            Dialogs::current().error(membershipIssueText());
        m_form.cancel();
        return IdOutcome::Cancelled;
    }

    m_dmod.OpenDogMaster();
    xbase::ScanCursor dogs = m_dmod.DogMaster.scan();
    dogs.setCurrentTag(QStringLiteral("IDKEY"));
    if (!dogs.seek(id.key())) {
        Dialogs::current().error(dogNotFoundText(id.member, id.dog));
        m_form.cancel();
        m_form.focusAdd();
        return IdOutcome::Cancelled;
    }

    // The eight stored characters (YYYYMMDD); "0000" for month and day means no date known.
    const QString legalAge = dogs.rawText("legal_age");
    const QDate showDate = m_form.showDate();
    if (!legalAge.trimmed().isEmpty() && legalAge.mid(4, 4) != QLatin1String("0000") && showDate.isValid()
        && showDate.toString(QStringLiteral("yyyyMMdd")) < legalAge) {
        MessageRequest ask;
        ask.icon = MessageIcon::Question;
        ask.text = legalAgeText(legalAge);
        ask.buttons = {QStringLiteral("Yes"), QStringLiteral("No")};
        ask.escapeButton = 1;
        if (Dialogs::current().message(ask) != QLatin1String("Yes")) {
            m_form.cancel();
            return IdOutcome::Cancelled;
        }
    }

    if (const quint32 found = findEntry(id.text()); found > 0) {
        Dialogs::current().message(entryFoundText(), MessageIcon::Information, {}, entryFoundTitle());
        m_form.cancel();
        m_form.goToRecord(found);
        CompareWithMyMembers(id.member);
        return IdOutcome::ExistingEntry;
    }

    // Under Edit the ID is the record's own (a changed one was refused above): the entry was
    // filled when it was made, and filling it again would undo the secretary's changes to
    // its category, breed and address.
    if (editing)
        return IdOutcome::Unchanged;

    if (!fill(id))
        return IdOutcome::OutOfSync;
    CompareWithMyMembers(id.member);
    return IdOutcome::Filled;
}

quint32 TIdValidation::findEntry(const QString& id) const
{
    const Table& entries = m_dmod.TzDbf1;
    // The record under Edit carries this very ID; it is not another entry of the dog.
    const quint32 self = entries.state() == Table::State::Edit ? entries.recNo() : 0;
    xbase::ScanCursor scan = entries.scan();
    scan.setCurrentTag(QString());
    scan.setShowDeleted(true);
    const quint32 count = entries.recordCount();
    for (quint32 rec = 1; rec <= count; ++rec) {
        if (rec == self || !scan.go(rec))
            continue;
        if (rightTrimmed(scan.text("mem_dog_id")) == id)
            return rec;
    }
    return 0;
}

bool TIdValidation::fill(const agxid::AgxId& id)
{
    Table& entries = m_dmod.TzDbf1;
    xbase::ScanCursor dogs = m_dmod.DogMaster.scan();
    dogs.setCurrentTag(QStringLiteral("IDKEY"));
    if (!dogs.seek(id.key()))
        return false;
    entries.setText("call_name", dogs.text("call_name"));
    entries.setText("breed", dogs.text("breed"));
    entries.setRawText("bdate", dogs.rawText("birthdate"));
    entries.setText("pcard", dogs.text("perm_card").trimmed());

    const QString pcard = dogs.text("perm_card").trimmed();
    bool isNumber = false;
    const int height = pcard.toInt(&isNumber);
    m_form.setLoadedRegularHeight(isNumber && height > 0 ? height : 0);
    m_form.chooseRegularCategory();

    xbase::ScanCursor members = m_dmod.Members.scan();
    members.setCurrentTag(QStringLiteral("MEMID"));
    if (!members.seek(id.member)) {
        Dialogs::current().error(outOfSyncText());
        return false;
    }
    entries.setText("first", members.text("prim_first"));
    entries.setText("last", members.text("prim_last"));
    for (const char* field : {"address", "city", "state", "phone", "zip", "country", "email"})
        entries.setText(field, members.text(field));
    entries.setText("mem_dog_id", id.text());

    const QString breed = rightTrimmed(dogs.text("breed"));
    m_form.setLoadedBreed(breed);
    if (!breed.trimmed().isEmpty())
        m_form.focusHandler();
    else
        m_form.showBreedPickList();
    return true;
}

int TIdValidation::CompareWithMyMembers(const QString& member)
{
    m_dmod.OpenMyMembers();
    xbase::ScanCursor mine = m_dmod.MyMembers.scan();
    mine.setCurrentTag(QStringLiteral("MEMID"));
    if (member.size() != 5 || !mine.seek(member))
        return 0;
    Table& entries = m_dmod.TzDbf1;
    int asked = 0;
    for (const char* field : kComparedFields) {
        const QString agx = rightTrimmed(entries.text(field));
        const QString my = rightTrimmed(mine.text(field));
        if (agx == my)
            continue;
        ++asked;
        if (m_chooser && m_chooser(QString::fromLatin1(field), agx, my) == CompareChoice::UseMine)
            entries.setText(field, my);
    }
    return asked;
}

QString TIdValidation::emptyIdText()
{
    return QStringLiteral("You must enter a valid AGX number!;;Try again!");
}

QString TIdValidation::idChangedText()
{
    return QStringLiteral("Sorry.  You cannot change an ID number for an existing record.;;"
                          "Please DELETE this record and ADD a new record.");
}

QString TIdValidation::pendingText()
{
    return QStringLiteral("Effective 1-1-03, all exhibitors must supply\r\na valid AGX ID# for each dog entered prior\r\n"
                          "to this trial's closing date.\r\nTherefore, Pending entries are not permitted");
}

QString TIdValidation::memberAboveRangeText()
{
    return QStringLiteral("   Sorry - This Member ID is NOT;in the current Members Database!!!;;"
                          "You need to download more current AGXSECDATA files");
}

QString TIdValidation::membershipIssueText()
{
    return QStringLiteral("Please have this Exhibitor contact AGX to resolve an issue with their membership.;;"
                          "When the issue is resolved, the Exhibitor will contact you regarding their entry.;"
                          "You may need to download new AGX Databases.");
}

QString TIdValidation::dogNotFoundText(const QString& member, const QString& dog)
{
    return QStringLiteral("    The ID    ") + member + QLatin1Char('-') + dog + QStringLiteral("    not found!!!;;")
        + QStringLiteral("You need to download more current AGXSECDATA files.;;")
        + QStringLiteral("New databases are uploaded on Thursdays by AGX;;") + QStringLiteral("Cancelling this Add/Edit");
}

QString TIdValidation::legalAgeText(const QString& legalAge)
{
    return QStringLiteral(" This dog cannot show before ") + legalAge + QStringLiteral("\r\n")
        + QStringLiteral("Due to 15 Months Requirement.") + QStringLiteral("\r\n\r\n") + QStringLiteral("Add it anyway?");
}

QString TIdValidation::entryFoundText()
{
    return QStringLiteral("  Found an entry for this dog!;;Going to existing record....;;Click the EDIT button to make changes");
}

QString TIdValidation::entryFoundTitle()
{
    return QStringLiteral("Entry Found!");
}

QString TIdValidation::outOfSyncText()
{
    return QStringLiteral("Member not found - Members and Dogmaster out of sync");
}

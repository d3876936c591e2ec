#pragma once

#include <QDate>
#include <QString>

#include <functional>

namespace agxid {
struct AgxId;
}
class TDmod;

// What the member data comparison window answers for one field.
enum class CompareChoice { UseMine, UseAgx };

// Asked once per field that differs: the field name, the entry's (AGX) value and the
// secretary's own value. The program's chooser opens TCompareForm (compareform.h).
using MemberDataChooser =
    std::function<CompareChoice(const QString& field, const QString& agxValue, const QString& myValue)>;

// What the ID check needs from the entry form it runs in.
class IdEntryForm
{
public:
    virtual ~IdEntryForm();

    virtual bool focusMovingToCancel() const = 0;   // the ID field is being left for Cancel
    virtual QString loadedId() const = 0;           // mem_dog_id as the record was displayed
    virtual QDate showDate() const = 0;             // first day of the open trial

    virtual void cancel() = 0;                      // the form's Cancel button
    virtual void focusAdd() = 0;
    virtual void goToRecord(quint32 recNo) = 0;     // make an entries record current
    // The P-card height became the regular height as loaded (0 when blank or unreadable);
    // then the Regular category is chosen, which checks that height.
    virtual void setLoadedRegularHeight(int inches) = 0;
    virtual void chooseRegularCategory() = 0;
    virtual void setLoadedBreed(const QString& breed) = 0;
    virtual void focusHandler() = 0;
    virtual void showBreedPickList() = 0;           // shown over the breed field and focused
};

// How leaving the ID field ended.
enum class IdOutcome {
    Ignored,        // left for Cancel, or the form is not adding or editing
    Empty,          // refused, the record stays as it is
    Cancelled,      // refused, the add or edit was cancelled
    ExistingEntry,  // the dog is entered already: that record was made current
    Unchanged,      // the record under Edit keeps its own ID: nothing to fill
    Filled,         // the new entry was filled from AGX's tables
    OutOfSync,      // the dog was found but its member vanished meanwhile
};

// Leaving the ID field of the entry form (TzEdit1Exit): checks the typed ID against AGX's
// member and dog tables, refuses what cannot be entered, finds a dog entered already, fills
// a new entry from the tables and offers the secretary's own address data where it differs.
// Every message goes through Dialogs.
class TIdValidation
{
public:
    TIdValidation(TDmod& dmod, IdEntryForm& form, MemberDataChooser chooser);

    IdOutcome TzEdit1Exit();

    // The entry's address, city, state, zip, phone and e-mail against MyMembers' row of
    // member: the chooser decides each one that differs (blank against a value counts).
    // Returns how many fields were asked about.
    int CompareWithMyMembers(const QString& member);

    // The messages.
    static QString emptyIdText();
    static QString idChangedText();
    static QString pendingText();
    static QString memberAboveRangeText();
    static QString membershipIssueText();
    static QString dogNotFoundText(const QString& member, const QString& dog);
    static QString legalAgeText(const QString& legalAge);
    static QString entryFoundText();
    static QString entryFoundTitle();
    static QString outOfSyncText();

private:
    quint32 findEntry(const QString& id) const;
    bool fill(const agxid::AgxId& id);

    TDmod& m_dmod;
    IdEntryForm& m_form;
    MemberDataChooser m_chooser;
};

#pragma once

#include "entries/idvalidation.h"

#include <QObject>

#include <memory>

class TEntryPanel;

// Joins the AGX ID check and the after-save updates (entries/idvalidation.h,
// entries/memberupdates.h) to an entry panel: leaving the ID field while adding or editing
// runs the check, and a save with the breed-changed or member-data mark writes Updates and
// MyMembers. It lives as a child of the panel.
class EntryValidation : public QObject
{
public:
    // chooser answers the member data comparison; the program's opens TCompareForm.
    static EntryValidation* attach(TEntryPanel& panel, MemberDataChooser chooser);
    static EntryValidation* attach(TEntryPanel& panel);

    TIdValidation& validation() { return *m_validation; }
    IdOutcome lastOutcome() const { return m_last; }

private:
    EntryValidation(TEntryPanel& panel, MemberDataChooser chooser);
    ~EntryValidation() override;

    class PanelForm;
    std::unique_ptr<PanelForm> m_form;
    std::unique_ptr<TIdValidation> m_validation;
    IdOutcome m_last = IdOutcome::Ignored;
};

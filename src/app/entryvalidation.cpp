#include "app/entryvalidation.h"

#include "app/entrypanel.h"
#include "data/dmod.h"
#include "entries/compareform.h"
#include "entries/memberupdates.h"

#include <QApplication>
#include <QRadioButton>
#include <QToolButton>

class EntryValidation::PanelForm : public IdEntryForm
{
public:
    explicit PanelForm(TEntryPanel& panel) : m_panel(panel) {}

    bool focusMovingToCancel() const override
    {
        // While the ID field is being left the focus already names where it goes.
        return QApplication::focusWidget() == m_panel.button(QStringLiteral("CancelBtn"));
    }
    QString loadedId() const override { return m_panel.loadedId(); }
    QDate showDate() const override { return m_panel.trialDays().showDate; }

    void cancel() override { m_panel.CancelBtnClick(); }
    void focusAdd() override { m_panel.button(QStringLiteral("AddBtn"))->setFocus(); }
    void goToRecord(quint32 recNo) override { m_panel.dmod()->TzDbf1.go(recNo); }
    void setLoadedRegularHeight(int inches) override { m_panel.setLoadedRegularHeight(inches); }
    void chooseRegularCategory() override { m_panel.CategoryClick(entry::Category::Regular); }
    void setLoadedBreed(const QString& breed) override { m_panel.setLoadedBreed(breed); }
    void focusHandler() override
    {
        if (auto* handler = m_panel.findChild<QWidget*>(QStringLiteral("HandlerEdit")))
            handler->setFocus();
    }
    void showBreedPickList() override
    {
        m_panel.showBreedPickList();
        if (auto* list = m_panel.findChild<QWidget*>(QStringLiteral("BreedPickList")))
            list->setFocus();
    }

private:
    TEntryPanel& m_panel;
};

EntryValidation::EntryValidation(TEntryPanel& panel, MemberDataChooser chooser)
    : QObject(&panel), m_form(std::make_unique<PanelForm>(panel)),
      m_validation(std::make_unique<TIdValidation>(*panel.dmod(), *m_form, std::move(chooser)))
{
    setObjectName(QStringLiteral("EntryValidation"));
    panel.setIdExitHandler([this] { m_last = m_validation->TzEdit1Exit(); });
    TDmod* dmod = panel.dmod();
    panel.setSaveFollowUp([dmod](bool breedChanged, bool memberData) {
        if (breedChanged)
            memberupdates::RecordBreedChange(*dmod, dmod->TzDbf1);
        if (memberData)
            memberupdates::RecordMemberChange(*dmod, dmod->TzDbf1);
    });
}

EntryValidation::~EntryValidation() = default;

EntryValidation* EntryValidation::attach(TEntryPanel& panel, MemberDataChooser chooser)
{
    return new EntryValidation(panel, std::move(chooser));
}

EntryValidation* EntryValidation::attach(TEntryPanel& panel)
{
    return attach(panel, &TCompareForm::ask);
}

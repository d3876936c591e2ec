#include "app/entrycommands.h"

#include "app/entrygridform.h"
#include "app/entrypanel.h"
#include "app/mainform.h"
#include "data/dmod.h"
#include "platform/ui/tablehandlers.h"
#include "setup/defaultsform.h"

#include <QAction>

using entryindex::entryOrders;

EntryCommands::EntryCommands(TMainForm& form) : QObject(&form), m_form(form)
{
    setObjectName(QStringLiteral("EntryCommands"));
    const char* const indexItems[] = {"LastName1", "Armband1", "AGXID1", "CallName1", "InputOrder1"};
    for (int i = 0; i < 5; ++i)
        form.provide(QString::fromLatin1(indexItems[i]), [this, i] { IndexClick(i); });
    form.provide(QStringLiteral("ShowEntriesInAGrid1"), [this] { ShowEntriesInAGridClick(); });
    form.provide(QStringLiteral("DefaultsOptions1"), [this] { DefaultsOptionsClick(); });

    // The entry form is put in once a trial opens; its Find button comes here.
    connect(&form, &TMainForm::formActivated, this, &EntryCommands::connectEntryPanel);
    connectEntryPanel();
}

void EntryCommands::connectEntryPanel()
{
    if (auto* panel = qobject_cast<TEntryPanel*>(m_form.entryPanel()))
        connect(panel, &TEntryPanel::findRequested, this, &EntryCommands::FindBtnClick, Qt::UniqueConnection);
}

void EntryCommands::showOrder(const QString& tag, bool statusToo)
{
    const entryindex::EntryOrder& order = entryindex::orderOfTag(tag);
    const char* const indexItems[] = {"LastName1", "Armband1", "AGXID1", "CallName1", "InputOrder1"};
    if (QAction* item = m_form.item(QString::fromLatin1(indexItems[&order - &entryOrders().front()])))
        item->setChecked(true);
    if (statusToo)
        m_form.setStatusPanel(3, order.statusText);
}

void EntryCommands::IndexClick(int order)
{
    if (!m_form.dmod() || !m_form.dmod()->TzDbf1.isOpen())
        return;
    xbase::Table& entries = m_form.dmod()->TzDbf1;
    const entryindex::EntryOrder& chosen = entryOrders().value(order);
    entries.setCurrentTag(chosen.tag);
    showOrder(chosen.tag, true);
}

void EntryCommands::FindBtnClick()
{
    if (!m_form.dmod() || !m_form.dmod()->TzDbf1.isOpen())
        return;
    m_mainSearch.find(m_form.dmod()->TzDbf1);
}

void EntryCommands::ShowEntriesInAGridClick()
{
    if (!m_form.dmod())
        return;
    xbase::Table& entries = m_form.dmod()->TzDbf1;
    if (!entries.isOpen())
        return;
    // An entry being edited is saved (with the entry form's checks) before the table turns
    // read-only; a refused save keeps the grid closed.
    if ((entries.state() == xbase::Table::State::Edit || entries.state() == xbase::Table::State::Insert)
        && !entries.post())
        return;
    const QString tagBefore = entries.currentTag();
    {
        TableHandlersOff handlersOff(entries);
        TShowGridForm1 grid(*m_form.dmod(), data::TrialNumberFromEntriesFile(entries.path()), &m_gridSearch, &m_form);
        grid.exec();
    }
    // An order chosen in the grid stays; the main window's menu and status follow it.
    if (entries.isOpen() && entries.currentTag().compare(tagBefore, Qt::CaseInsensitive) != 0)
        showOrder(entries.currentTag(), true);
}

void EntryCommands::DefaultsOptionsClick()
{
    if (!m_form.dmod())
        return;
    {
        TDefaultsForm defaults(*m_form.dmod(), &m_form);
        defaults.exec();
    }
    if (auto* panel = qobject_cast<TEntryPanel*>(m_form.entryPanel()))
        panel->readPreferences();
}

#pragma once

#include "app/entryindex.h"

#include <QObject>

class TMainForm;

// The main window's commands for browsing the entries: the Index menu, Find by the current
// index, the grid view, and the defaults window (whose preferences the entry form reads
// again afterwards). The main window owns it; it hands its menu items over with provide().
class EntryCommands : public QObject
{
    Q_OBJECT
public:
    explicit EntryCommands(TMainForm& form);

    void IndexClick(int order);            // position in entryindex::entryOrders()
    void FindBtnClick();
    void ShowEntriesInAGridClick();
    void DefaultsOptionsClick();

    entryindex::EntrySearch& mainSearch() { return m_mainSearch; }
    entryindex::EntrySearch& gridSearch() { return m_gridSearch; }

    // Joins the entry form's Find button (each time the main window becomes active, so an
    // entry form put in meanwhile is joined too).
    void connectEntryPanel();

private:
    void showOrder(const QString& tag, bool statusToo);

    TMainForm& m_form;
    entryindex::EntrySearch m_mainSearch{entryindex::SearchWindow::Main};
    entryindex::EntrySearch m_gridSearch{entryindex::SearchWindow::Grid};
};

#pragma once

#include "app/entryindex.h"
#include "platform/xbase/table.h"

#include <QDialog>

class DataGrid;
class DataSource;
class Navigator;
class QAction;
class QActionGroup;
class QLabel;
class TDmod;

// The entries of the open trial in a read-only grid, in the current order. The secretary
// drags columns into another order; the layout is saved in gendefs.ini when the window
// closes and comes back the next time. While the window is open the entries table cannot
// be changed.
class TShowGridForm1 : public QDialog
{
    Q_OBJECT
public:
    // search keeps the grid's last search text from one opening to the next (a window of
    // its own is used when none is given).
    TShowGridForm1(TDmod& dmod, int trialNumber, entryindex::EntrySearch* search = nullptr,
                   QWidget* parent = nullptr);
    ~TShowGridForm1() override;

    void FindBtnClick();
    void CloseBtnClick();
    void IndexClick(int order);          // position in entryindex::entryOrders()
    void HideDeletesClick();
    void ResetGridClick();

    // The columns in the order shown, with their widths now.
    QList<GridColumn> shownColumns() const;

    DataGrid* grid() const { return TzGrid1; }
    Navigator* navigator() const { return DBNavigator1; }
    QString statusText(int panel) const;   // 1 "Show #", 2 "Rec #", 3 "Current Index ="
    QAction* hideDeletesItem() const { return m_hideDeletes; }
    QAction* indexItem(int order) const;

protected:
    void done(int result) override;
    void changeEvent(QEvent* event) override;

private:
    void FormOpen();
    void FormClose();
    void showPosition();
    void showOrder();
    void captionHideDeletes();
    void setLayout(const QList<GridColumn>& columns);

    TDmod& m_dmod;
    xbase::Table& m_table;
    int m_trialNumber;
    entryindex::EntrySearch m_ownSearch{entryindex::SearchWindow::Grid};
    entryindex::EntrySearch* m_search;
    DataSource* m_source = nullptr;
    DataGrid* TzGrid1 = nullptr;
    Navigator* DBNavigator1 = nullptr;
    QLabel* m_panels[3] = {};
    QActionGroup* m_indexGroup = nullptr;
    QAction* m_hideDeletes = nullptr;
    xbase::Table::Connection m_afterScroll = 0;
    bool m_open = false;
};

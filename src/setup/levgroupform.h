#pragma once

#include "platform/xbase/table.h"
#include "setup/trialoffer.h"

#include <QDialog>

class BoundLineEdit;
class DataGrid;
class DataSource;
class Navigator;
class QPushButton;
class QTabBar;
class QWidget;
class TDmod;

// "Define Level Groupings": per day, class and run the levels judged together, typed
// into a grid of the trial's LevGroup rows, one day tab at a time.
class TLevGroupForm : public QDialog
{
    Q_OBJECT
public:
    TLevGroupForm(TDmod& dmod, int trialNumber, QWidget* parent = nullptr);
    ~TLevGroupForm() override;

    // Handlers
    void FormActivate();      // builds or rebuilds the rows; runs on first show
    void FormDeactivate();
    void EditButtonClick();
    void SaveButtonClick();
    void CancelButtonClick();
    void CloseButtonClick();
    void TabControl1Change(int index);

    // What the window shows
    int day() const { return m_day; }
    DataGrid* grid() const { return m_grid; }
    QTabBar* dayTabs() const { return m_tabs; }
    Navigator* navigator() const { return m_navigator; }
    QPushButton* editButton() const { return m_edit; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* cancelButton() const { return m_cancel; }
    bool panelsShown() const;

    static const QString& instructions();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void buildWindow();
    void updateButtons();
    void filterDay(int day);

    TDmod& m_dmod;
    int m_trial;
    setup::TrialOffer m_offer;
    int m_day = 1;
    bool m_activated = false;
    bool m_active = false;
    xbase::Table::Connection m_rowCheck = 0;

    DataSource* m_source = nullptr;
    QWidget* m_top = nullptr;
    QWidget* m_bottom = nullptr;
    BoundLineEdit* m_showNum = nullptr;
    Navigator* m_navigator = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    QTabBar* m_tabs = nullptr;
    DataGrid* m_grid = nullptr;
};

#pragma once

#include "setup/runorder.h"
#include "setup/trialoffer.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QWidget;
class RunOrderBox;
class TDmod;

// "Define Running Order": the classes of each day dragged from the unassigned box into
// the rings and into order, and the order of the jump heights in each ring. The boxes
// show one day at a time; a day's moves are written when saved.
class TRunOrderForm : public QDialog
{
    Q_OBJECT
public:
    TRunOrderForm(TDmod& dmod, int trialNumber, QWidget* parent = nullptr);
    ~TRunOrderForm() override;

    // Handlers
    void FormActivate();     // builds the tables and shows day 1; runs on first show
    void FormDeactivate();
    void CloseButtonClick();
    void SaveButtonClick();
    void CancelButtonClick();
    void MoveAllButtonClick();
    void FlipButtonClick(int ring);
    void TabControl1Change(int index);
    void BoxDragDrop(setup::BoxId source, int sourceRow, setup::BoxId target, int targetRow);

    // What the window shows
    int day() const { return m_day; }
    bool changed() const { return m_changed; }
    const setup::DayBoxes& boxes() const { return m_boxes; }
    RunOrderBox* classBox(int index) const { return m_classBoxes.at(size_t(index)); }   // 0 unassigned, 1-4
    RunOrderBox* heightBox(int ring) const { return m_heightBoxes.at(size_t(ring - 1)); }
    QTabBar* dayTabs() const { return m_tabs; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* cancelButton() const { return m_cancel; }
    bool panelsShown() const;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void buildWindow();
    void showDay(int day);
    void render();
    void setChanged(bool changed);
    void saveDay();

    TDmod& m_dmod;
    int m_trial;
    setup::TrialOffer m_offer;
    setup::DayBoxes m_boxes;
    int m_day = 1;
    bool m_changed = false;
    bool m_activated = false;

    QWidget* m_top = nullptr;
    QWidget* m_bottom = nullptr;
    QLineEdit* m_showNum = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    QTabBar* m_tabs = nullptr;
    std::array<RunOrderBox*, 5> m_classBoxes{};
    std::array<RunOrderBox*, 4> m_heightBoxes{};
};

#pragma once

#include "platform/xbase/table.h"
#include "setup/trialoffer.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabBar;
class QWidget;
class TDmod;

// "Judge Assigments ": for each day of the trial, the judges and the class-run-level
// groups each of them judges (ShwJudges).
class TAssignJudgeForm : public QDialog
{
    Q_OBJECT
public:
    TAssignJudgeForm(TDmod& dmod, int trialNumber, QWidget* parent = nullptr);
    ~TAssignJudgeForm() override;

    enum class Mode { Browsing, AddingJudge, ReplacingJudge, CheckingClasses };

    // Handlers
    void FormActivate();
    void FormDeactivate();
    void TabControl1Change(int index);
    void JudgeListClick();
    void AddJudgeClick();
    void ReplaceJudgeClick();
    void SelectorChange();       // a value was chosen
    void OkayClick();
    void SelectorCancelClick();
    void AddChangeClassesClick();
    void CheckListClickCheck();
    void SelectAllClick();
    void SaveClick();
    void CancelClick();
    void DeleteJudgeClick();
    void CloseClick();

    // What the window shows
    Mode mode() const { return m_mode; }
    int day() const { return m_day; }
    bool changed() const { return m_changed; }
    QString dateText() const;
    QStringList judgeItems() const;
    QString currentJudge() const;            // empty when no judge is selected
    QStringList classItems() const;
    QStringList checkItems() const;
    QStringList checkedItems() const;
    bool checkListShown() const;
    bool selectorShown() const;
    QTabBar* dayTabs() const { return m_tabs; }
    QListWidget* judgeList() const { return m_judges; }
    QListWidget* checkList() const { return m_checks; }
    QComboBox* selector() const { return m_selector; }
    QPushButton* okayButton() const { return m_okay; }
    QString workPath() const;                // vjdgdum.dbf

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void showDay(int day);
    void fillJudges(const QString& select = {});
    void showClasses();
    void showCheckList(bool shown);
    void showSelector(bool shown);
    void openSelector(Mode mode);
    bool hasJudge() const;

    TDmod& m_dmod;
    int m_trial;
    setup::TrialOffer m_offer;
    xbase::Table m_work;     // vjdgdum
    int m_day = 1;
    Mode m_mode = Mode::Browsing;
    QString m_checkingJudge;   // the judge the check list was opened for
    bool m_changed = false;
    bool m_activated = false;
    bool m_ready = false;

    QTabBar* m_tabs = nullptr;
    QLabel* m_date = nullptr;
    QListWidget* m_judges = nullptr;
    QListWidget* m_classes = nullptr;
    QListWidget* m_checks = nullptr;
    QLabel* m_classesLabel = nullptr;
    QLabel* m_checksLabel = nullptr;
    QLabel* m_selectorLabel = nullptr;
    QComboBox* m_selector = nullptr;
    QPushButton* m_okay = nullptr;
    QPushButton* m_selectorCancel = nullptr;
    QPushButton* m_selectAll = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
};

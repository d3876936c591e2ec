#pragma once

#include "platform/xbase/table.h"

#include <QDialog>

class BoundDateEdit;
class BoundLineEdit;
class BoundSpinBox;
class DataSource;
class Navigator;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TDmod;

// "Show Dates and Classes Offered": the ShowDates rows, one per trial: number of days,
// first date, and per day the levels offered and the runs of each class.
//
// In new-trial mode a row is added for the next trial number; its Save creates the
// trial's folder and entries file and opens the entries file as TzDbf1 (the caller then
// makes the trial current). In edit mode the existing rows are browsed and changed.
// ShowDates is left in browse state whenever the window closes.
class TShowDateForm : public QDialog
{
    Q_OBJECT
public:
    enum class Mode { NewTrial, Edit };
    static constexpr int kDays = 4;
    static constexpr int kLevels = 6;    // "1" to "5" and "C"
    static constexpr int kClasses = 7;   // in the order of the captions, Standard ... Jumpers

    TShowDateForm(TDmod& dmod, Mode mode, QWidget* parent = nullptr);
    ~TShowDateForm() override;

    // Handlers
    void SpecifyClassesClick();
    void EditButtonClick();
    bool SaveButtonClick();          // false when nothing was saved
    void CancelButtonClick();
    bool CloseButtonClick();         // false when the window stays open
    void NumDaysExit();
    void ShowDateExit();
    void ShowDateChange();
    void LevelBoxClick(int day, int level);   // day 1-4, level 0-5 ("1" ... "C")
    void AllBoxClick(int day);

    // State
    bool isNewTrial() const { return m_newTrial; }
    bool changesPending() const { return m_pending; }
    // The trial a new-trial Save created; 0 when none.
    int createdTrial() const { return m_createdTrial; }
    QString createdEntriesPath() const { return m_createdPath; }
    QString createdFirstDate() const { return m_createdDate; }

    // Controls
    Navigator* navigator() const { return m_navigator; }
    BoundLineEdit* showNumberEdit() const { return m_showNum; }
    BoundLineEdit* numDaysEdit() const { return m_numDays; }
    BoundDateEdit* dateEdit() const { return m_date; }
    QGroupBox* dayBox(int day) const { return m_days[day - 1].box; }
    QCheckBox* levelBox(int day, int level) const { return m_days[day - 1].levels[level]; }
    QCheckBox* allBox(int day) const { return m_days[day - 1].all; }
    BoundSpinBox* runCount(int day, int classIndex) const { return m_days[day - 1].runs[classIndex]; }
    QPushButton* editButton() const { return m_edit; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* specifyButton() const { return m_specify; }
    QPushButton* closeButton() const { return m_close; }
    QString statusText(int panel) const;

    static const QString kMaxDaysMessage;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    struct DayControls
    {
        QGroupBox* box = nullptr;
        QCheckBox* levels[kLevels] = {};
        QCheckBox* all = nullptr;
        BoundSpinBox* runs[kClasses] = {};
    };

    void buildWindow();
    QWidget* buildDay(int day);
    void openNewTrial();
    void openEdit();
    bool save();
    void cancelRow();
    void finish();
    void loadCheckBoxes();
    void loadDay(int day);
    void showDayBoxes(int days);
    void setButtons(bool editEnabled, bool saveEnabled, bool cancelEnabled);
    void markChanged();
    void afterMove();
    void updateStatus();
    bool askToSave();
    int typedDays() const;
    bool focusOnClose() const;

    TDmod& m_dmod;
    xbase::Table& m_table;
    DataSource* m_source = nullptr;
    xbase::Table::Connection m_navigateHook = 0;

    bool m_newTrial = false;
    bool m_pending = false;
    bool m_loading = false;
    bool m_finished = false;
    int m_rememberedDays = 0;
    int m_nextNumber = 0;
    int m_createdTrial = 0;
    QString m_createdPath;
    QString m_createdDate;

    Navigator* m_navigator = nullptr;
    BoundLineEdit* m_showNum = nullptr;
    BoundLineEdit* m_numDays = nullptr;
    BoundDateEdit* m_date = nullptr;
    DayControls m_days[kDays];
    QPushButton* m_edit = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_specify = nullptr;
    QPushButton* m_close = nullptr;
    QLabel* m_status[2] = {};
};

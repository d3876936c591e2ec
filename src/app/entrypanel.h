#pragma once

#include "app/entrylogic.h"
#include "platform/ui/tablehandlers.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class BoundCheckBox;
class BoundComboBox;
class BoundDateEdit;
class BoundLineEdit;
class DataSource;
class KeyPreview;
class Navigator;
class QLabel;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabWidget;
class QToolButton;
class TDmod;

// The entry form: one dog entered in the open trial at a time, bound to the entries table
// TzDbf1 through DataSource1. It fills the main window while a trial is open.
//
// The rules that need no window are in entrylogic.h; the handlers here keep the names the
// form's events have (SaveBtnClick, SpeedButtonClick ...), so the rest of the program and
// the tests can drive the form without a mouse.
class TEntryPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TEntryPanel(TDmod* dmod, QWidget* parent = nullptr);
    ~TEntryPanel() override;

    TDmod* dmod() const { return m_dmod; }
    DataSource* dataSource() const { return DataSource1; }
    // The display, before-post check and button switch on TzDbf1; windows that move through
    // the entries table switch them off with TableHandlersOff.
    TableHandlers& handlers() { return m_handlers; }

    // A trial was made current (its entries table is open): reads the preferences, sets up
    // the day pages, counts the runs, attaches the handlers and shows the current record.
    // False when the trial is not in ShowDates.
    bool setupForTrial(int trialNumber);
    // The trial was closed: handlers off, pages hidden, buttons disabled.
    void trialClosed();
    bool isTrialOpen() const { return m_trialOpen; }
    int trialNumber() const { return m_trial.trialNumber; }
    const entry::TrialDays& trialDays() const { return m_trial; }

    // EnterAsTab, PgdnAsSave and Digits from gendefs.ini (at trial open and after the
    // defaults window closes).
    void readPreferences();
    int digits() const { return m_digits; }

    // The main window became active: the ID field is disabled, and the focus goes to Add
    // when the entries file is empty, else to Find.
    void FormActivate();

    // The form's operations.
    void SetupDayPages();
    void CountRunsPerDay();
    void DisplayRecord();
    void SpeedButtonClick(QToolButton* button);
    void TzCheckBox1Click(BoundCheckBox* box);
    void CategoryClick(entry::Category category);
    void RadioButton1Enter();
    void RadioButton1DblClick();
    void RadioButton6DblClick();
    void TzEdit10Exit();
    void TzEditNameEnter(QWidget* nameEdit);
    bool SaveBtnClick();   // true when the record was written
    void AddBtnClick();
    void EditBtnClick();
    void CancelBtnClick();
    void DeleteBtnClick();
    bool BeforePostCheck();
    void SwitchButtons();

    // Seams for the ID look-up and the armband rules: called when the ID or armband field is
    // left (after its text reached the record).
    void setIdExitHandler(std::function<void()> handler) { m_idExit = std::move(handler); }
    void setArmbandExitHandler(std::function<void()> handler) { m_armbandExit = std::move(handler); }
    // Called after a successful save with the breed-changed and member-data marks.
    void setSaveFollowUp(std::function<void(bool breedChanged, bool memberData)> followUp)
    {
        m_saveFollowUp = std::move(followUp);
    }

    // Working state that the ID look-up sets after filling the form from AGX's tables.
    void setLoadedRegularHeight(int inches) { m_regHtLoaded = inches; }
    int loadedRegularHeight() const { return m_regHtLoaded; }
    void setLoadedBreed(const QString& breed) { m_breedLoaded = breed; }
    const QString& loadedBreed() const { return m_breedLoaded; }
    const QString& loadedId() const { return m_idLoaded; }
    void showBreedPickList();
    void hideBreedPickList();
    bool isBreedPickListShown() const;

    // Marks
    bool veteranMark() const { return m_vetMark; }
    bool enthusiastMark() const { return m_entMark; }
    bool specialistMark() const { return m_specMark; }
    bool breedChangedMark() const { return m_breedChanged; }
    bool memberDataMark() const { return m_memberData; }
    QChar categoryLetter() const { return m_category; }
    const std::array<int, entry::kDays>& runCounts() const { return m_runCounts; }

    // Controls, for the main window and the tests (each also found by its object name).
    QToolButton* speedButton(int day, int row, int position) const;
    BoundCheckBox* runBox(int day, int row, int kind) const;
    QRadioButton* regularRadio(int inches) const;   // 4 .. 24
    QRadioButton* secondRadio(int inches) const;    // 4 .. 20
    QRadioButton* categoryRadio(entry::Category category) const;
    QTabWidget* pageControl() const { return PageControl1; }
    QToolButton* button(const QString& objectName) const;
    QString recordStatus() const { return m_recordStatus; }
    QString deletedText() const;

signals:
    // Status bar panel 2 ("Rec # ...", "Adding Rec # ...").
    void statusText(int panel, const QString& text);
    void findRequested();       // Find by the current index
    void lookUpIdRequested();   // the member and dog browser
    void sendRequested();       // mail the confirmation of the current entry

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar(class QBoxLayout* into);
    QWidget* buildEntryFields();
    QWidget* buildDayPages();
    QWidget* buildHeights();
    QWidget* buildDayPage(int day);
    void setTabOrders();
    BoundLineEdit* edit(const QString& field, const QString& objectName, bool readOnly = false);

    bool ensureEditing();
    void raiseRow(int day, int row);
    void raiseAllLevelButtons();
    void pushButtonsFromRecord();
    void clearHeightRadios();
    void clearMarks();
    void setRecordStatus(const QString& text);
    void showDeleted(bool deleted);
    int checkedRegular() const;
    int checkedSecond() const;
    void checkRegular(int inches);
    void checkSecond(int inches);
    bool dayShown(int day) const;
    std::optional<QString> missingLevel() const;
    void setIdFieldEnabled(bool enabled);

    TDmod* m_dmod;
    DataSource* DataSource1 = nullptr;
    TableHandlers m_handlers;
    QPointer<KeyPreview> m_keys;

    // Tool bar
    QToolButton* AddBtn = nullptr;
    QToolButton* EditBtn = nullptr;
    QToolButton* DeleteBtn = nullptr;
    QToolButton* FindBtn = nullptr;
    QToolButton* SaveBtn = nullptr;
    QToolButton* CancelBtn = nullptr;
    Navigator* DBNavigator1 = nullptr;
    QLabel* DeletedLabel = nullptr;

    // Fields
    BoundLineEdit* TzEdit1 = nullptr;      // mem_dog_id
    BoundLineEdit* TzEdit10 = nullptr;     // state
    BoundLineEdit* FirstEdit = nullptr;
    BoundLineEdit* LastEdit = nullptr;
    BoundLineEdit* AddressEdit = nullptr;
    BoundLineEdit* ArmbandEdit = nullptr;
    BoundLineEdit* BreedEdit = nullptr;
    BoundComboBox* BreedPickList = nullptr;
    QStackedWidget* BreedStack = nullptr;
    QList<QWidget*> m_memberFields;
    QList<QWidget*> m_tabOrder;
    QPushButton* LookUpBtn = nullptr;
    QPushButton* SendBtn = nullptr;

    // Day pages
    QTabWidget* PageControl1 = nullptr;
    QToolButton* m_speed[entry::kDays][entry::kClasses][entry::kLevels] = {};
    BoundCheckBox* m_box[entry::kDays][entry::kClasses][entry::kRunBoxes] = {};

    // Heights
    QList<QRadioButton*> m_regular;    // 4 8 12 16 20 24
    QList<QRadioButton*> m_second;     // 4 8 12 16 20
    QList<QRadioButton*> m_categories; // Regular Veteran Enthusiast Specialist

    // Working state
    entry::TrialDays m_trial;
    bool m_trialOpen = false;
    QString m_breedLoaded;
    QString m_idLoaded;
    int m_regHtLoaded = 0;
    QChar m_category;
    bool m_vetMark = false;
    bool m_entMark = false;
    bool m_specMark = false;
    bool m_breedChanged = false;
    bool m_memberData = false;
    std::array<int, entry::kDays> m_runCounts{};
    QString m_recordStatus;
    bool m_enterAsTab = false;
    bool m_pgdnAsSave = false;
    int m_digits = 2;
    bool m_inNameNotice = false;

    std::function<void()> m_idExit;
    std::function<void()> m_armbandExit;
    std::function<void(bool, bool)> m_saveFollowUp;
};

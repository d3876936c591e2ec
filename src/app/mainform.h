#pragma once

#include <QMainWindow>

#include <functional>

class QActionGroup;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolBar;
class TDmod;
class TCalculatorForm;
class TCalendarForm;

// The main window: main menu, speed bar, status bar, and the entry panel (shown while a
// trial is open) or the background picture (while none is).
//
// Every menu item exists from the start with its caption. An item whose command is not
// built yet stays disabled, with a tool tip saying so; the code that builds the command
// hands it over with provide(), which enables the item (as far as the trial state
// allows) and runs the handler through the error guard.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(TDmod* dmod = nullptr, QWidget* parent = nullptr);
    ~TMainForm() override;

    TDmod* dmod() const { return m_dmod; }

    // Menu items by object name ("Exit1", "PackRemoveDeletes1"; see mainmenu.cpp), or by
    // the captions leading to them ({"&File", "E&xit"}).
    QAction* item(const QString& objectName) const;
    QAction* itemByPath(const QStringList& captions) const;
    QMenu* menu(const QString& caption) const;
    QList<QAction*> items() const { return m_items; }

    void provide(const QString& objectName, std::function<void()> handler);
    bool isProvided(const QAction* action) const;

    // The no-trial and trial-open states of the menus, the picture and the status bar.
    void setNoTrialState();
    void setTrialOpenState();
    bool isTrialOpen() const { return m_trialOpen; }

    // The current trial: its number (0 when none), entries file and first date (MM/DD/YYYY).
    // The trial lifecycle sets them before emitting trialOpened() and clears them before
    // emitting trialClosed().
    int trialNumber() const { return m_trialNumber; }
    QString entriesPath() const { return m_entriesPath; }
    QString trialFirstDate() const { return m_trialFirstDate; }
    void setCurrentTrial(int number, const QString& entriesPath, const QString& firstDate);
    void clearCurrentTrial();

    // Status bar panels 1 to 3 ("Show #", "Rec #", "Current Index =").
    void setStatusPanel(int panel, const QString& text);
    QString statusPanel(int panel) const;

    // The entry panel replaces the empty placeholder; the window owns it.
    void setEntryPanel(QWidget* panel);
    QWidget* entryPanel() const { return m_entryPanel; }
    QWidget* backgroundPicture() const { return m_picture; }

    // A second copy of the program asked for this window: restore it if minimised and
    // bring it to the front.
    void bringToFront();

    TCalculatorForm* calculator() const { return m_calculator; }
    TCalendarForm* calendar() const { return m_calendar; }

signals:
    // Each time the window becomes active (the entry form sets its focus then).
    void formActivated();
    // A trial has become current (TzDbf1 open, trial-open state set), or the current one
    // has been closed (TzDbf1 closed, no-trial state set).
    void trialOpened();
    void trialClosed();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createSpeedBar();
    void createStatusBar();
    void wireBuiltCommands();
    void installEntryPanel();   // the entry form, bound to the data module's entries table
    void refreshEnabled();
    void scaleToScreen();

    void PrintSetup1Click();
    void Exit1Click();

    TDmod* m_dmod = nullptr;
    QList<QAction*> m_items;
    QActionGroup* m_indexGroup = nullptr;
    QStackedWidget* m_pages = nullptr;
    QWidget* m_picture = nullptr;
    QWidget* m_entryPanel = nullptr;
    QLabel* m_panels[3] = {};
    QLabel* m_hint = nullptr;
    QToolBar* m_speedBar = nullptr;
    TCalculatorForm* m_calculator = nullptr;
    TCalendarForm* m_calendar = nullptr;
    bool m_trialOpen = false;
    int m_trialNumber = 0;
    QString m_entriesPath;
    QString m_trialFirstDate;
};

#include "app/mainform.h"

#include "app/backgroundpicture.h"
#include "app/triallifecycle.h"
#include "app/entrycommands.h"
#include "app/entrypanel.h"
#include "app/entryvalidation.h"
#include "data/dmod.h"
#include "entries/armbands.h"
#include "entries/entriesmenu.h"
#include "platform/system/version.h"
#include "setup/judgemenu.h"
#include "setup/setupmenu.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/guard.h"
#include "platform/ui/progress.h"
#include "platform/ui/windowposition.h"
#include "tools/aboutbox.h"
#include "tools/calculatorform.h"
#include "tools/calendarform.h"
#include "tools/helpviewer.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>

namespace {

const QSize kDesignScreen(800, 600);
const QSize kDesignSize(792, 560);

} // namespace

TMainForm::TMainForm(TDmod* dmod, QWidget* parent) : QMainWindow(parent), m_dmod(dmod)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kProgramTitle);

    m_pages = new QStackedWidget(this);
    m_picture = new BackgroundPicture(m_pages);
    m_entryPanel = new QWidget(m_pages);
    m_entryPanel->setObjectName(QStringLiteral("EntryPanel"));
    m_pages->addWidget(m_picture);
    m_pages->addWidget(m_entryPanel);
    setCentralWidget(m_pages);
    if (m_dmod)
        installEntryPanel();

    createMenus();
    createSpeedBar();
    createStatusBar();
    wireBuiltCommands();

    // The windows that live for the whole run, created hidden.
    m_calculator = new TCalculatorForm(this);
    m_calendar = new TCalendarForm(this);

    scaleToScreen();
    keepWindowPosition(this);        // FormCreate 1
    setNoTrialState();               // FormCreate 2 and 3
    item(QStringLiteral("SCTStandardCourseTimes1"))->setEnabled(false); // FormCreate 5
}

TMainForm::~TMainForm() = default;

void TMainForm::scaleToScreen()
{
    // Designed for an 800 x 600 screen; grows with larger screens.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->size() : kDesignScreen;
    const qreal factor = qMax<qreal>(1.0, qMin(qreal(available.width()) / kDesignScreen.width(),
                                               qreal(available.height()) / kDesignScreen.height()));
    resize(int(kDesignSize.width() * factor), int(kDesignSize.height() * factor));
}

void TMainForm::createSpeedBar()
{
    m_speedBar = addToolBar(QStringLiteral("Speed Bar"));
    m_speedBar->setObjectName(QStringLiteral("SpeedBar1"));
    m_speedBar->setMovable(false);
    m_speedBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    QAction* newTrial = item(QStringLiteral("NewTrial1"));
    QAction* openTrial = item(QStringLiteral("OpenExistingTrial1"));
    QAction* closeTrial = item(QStringLiteral("CloseCurrentTrial1"));
    newTrial->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    openTrial->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    closeTrial->setIcon(style()->standardIcon(QStyle::SP_DirClosedIcon));
    m_speedBar->addAction(newTrial);
    m_speedBar->addAction(openTrial);
    m_speedBar->addAction(closeTrial);
    m_speedBar->addSeparator();

    QAction* close = m_speedBar->addAction(QStringLiteral("Cl&ose"));
    close->setObjectName(QStringLiteral("CloseBtn"));
    connect(close, &QAction::triggered, this, guarded([this] { Exit1Click(); }));

    QAction* exit = m_speedBar->addAction(style()->standardIcon(QStyle::SP_DialogCloseButton), QString());
    exit->setObjectName(QStringLiteral("ExitBtn"));
    setHint(exit, QStringLiteral("Exit|Exit the Program"));
    connect(exit, &QAction::triggered, this, guarded([this] { Exit1Click(); }));
    if (QWidget* button = m_speedBar->widgetForAction(exit))
        button->setObjectName(QStringLiteral("ExitButton"));
}

void TMainForm::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    const int widths[3] = {110, 150, 240};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(bar);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_panels[i]->setMinimumWidth(widths[i]);
        m_panels[i]->setTextFormat(Qt::PlainText);
        bar->addWidget(m_panels[i]);
    }
    m_hint = new QLabel(bar);
    m_hint->setObjectName(QStringLiteral("HintPanel"));
    m_hint->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addWidget(m_hint, 1);
}

void TMainForm::wireBuiltCommands()
{
    if (m_dmod)
        new TrialLifecycle(*this, *m_dmod);   // New, Open, Close, Show Dates, Pack, Remove All
    provide(QStringLiteral("PrintSetup1"), [this] { PrintSetup1Click(); });
    provide(QStringLiteral("Exit1"), [this] { Exit1Click(); });
    provide(QStringLiteral("JuniorsReadOnly1"), [] {});
    provide(QStringLiteral("Calendar1"), [this] { m_calendar->popUp(); });
    provide(QStringLiteral("Calculator1"), [this] { m_calculator->popUp(); });
    provide(QStringLiteral("BackupACompleteShow1"), [this] { showHelp(QStringLiteral("transhow2"), this); });
    provide(QStringLiteral("GateKeys1"), [this] { showHelp(QStringLiteral("gatekeys"), this); });
    provide(QStringLiteral("HowToBackupOrTransferAShow1"), [this] { showHelp(QStringLiteral("transhow2"), this); });
    provide(QStringLiteral("About1"), [this] {
        TAboutBox box(this);
        box.exec();
    });
    provide(QStringLiteral("VersionHistory1"), [this] {
        TVersionHistoryForm form(this);
        form.exec();
    });
    new EntryCommands(*this);   // Index menu, Find, the entries grid, Defaults && Options
    if (m_dmod) {
        // Armbands, gate keys and height changes (Tasks).
        provide(itemByPath({QStringLiteral("Tasks"), QStringLiteral("Assign Armband #'s and Gate Keys")})->objectName(), [this] {
            entries::AssignArmbandsMenuClick(*m_dmod, m_trialNumber, this);
            if (QAction* lastName = item(QStringLiteral("LastName1")))
                lastName->trigger();   // the NAME order, checked in the Index menu
        });
        provide(itemByPath({QStringLiteral("Tasks"), QStringLiteral("Height Changes/Corrections")})->objectName(),
                [this] { entries::HeightChangesMenuClick(*m_dmod, m_trialNumber, this); });

        // Trial set-up: level groupings, running order, judges and course times.
        const auto levelGroupings = [this] { setup::LevelGroupingsMenuClick(*m_dmod, m_trialNumber, this); };
        const auto runningOrder = [this] { setup::RunningOrderMenuClick(*m_dmod, m_trialNumber, this); };
        const auto assignments = [this] { setup::JudgeAssignmentsMenuClick(*m_dmod, m_trialNumber, this); };
        const QString databases = QStringLiteral("Databases");
        const QString tasks = QStringLiteral("Tasks");
        const std::pair<QStringList, std::function<void()>> setUp[] = {
            {{databases, QStringLiteral("Level Groupings ")}, levelGroupings},
            {{tasks, QStringLiteral("Define Level Groupings")}, levelGroupings},
            {{databases, QStringLiteral("Running Order")}, runningOrder},
            {{tasks, QStringLiteral("Define Running Order")}, runningOrder},
            {{databases, QStringLiteral("Judge Assignments")}, assignments},
            {{tasks, QStringLiteral("Judge Assignments")}, assignments},
            {{databases, QStringLiteral("Judges ")}, [this] { setup::JudgesMenuClick(*m_dmod, this); }},
            {{databases, QStringLiteral("SCT (Standard Course Times)")},
             [this] { setup::SCTMenuClick(*m_dmod, m_trialNumber, this); }},
        };
        for (const auto& [path, handler] : setUp)
            if (QAction* action = itemByPath(path))
                provide(action->objectName(), handler);
    }
}

QAction* TMainForm::item(const QString& objectName) const
{
    for (QAction* a : m_items)
        if (a->objectName() == objectName)
            return a;
    return nullptr;
}

QMenu* TMainForm::menu(const QString& caption) const
{
    for (QAction* a : menuBar()->actions())
        if (a->text() == caption)
            return a->menu();
    return nullptr;
}

QAction* TMainForm::itemByPath(const QStringList& captions) const
{
    QList<QAction*> level = menuBar()->actions();
    QAction* found = nullptr;
    for (const QString& caption : captions) {
        found = nullptr;
        for (QAction* a : level)
            if (!a->isSeparator() && a->text() == caption) {
                found = a;
                break;
            }
        if (!found)
            return nullptr;
        level = found->menu() ? found->menu()->actions() : QList<QAction*>();
    }
    return found;
}

void TMainForm::provide(const QString& objectName, std::function<void()> handler)
{
    QAction* a = item(objectName);
    Q_ASSERT_X(a, "TMainForm::provide", qPrintable(objectName));
    if (!a)
        return;
    disconnect(a, &QAction::triggered, this, nullptr);
    connect(a, &QAction::triggered, this, guarded(std::move(handler)));
    a->setProperty("pending", QVariant());
    a->setProperty("provided", true);
    const QString hint = a->property("hint").toString();
    setHint(a, hint.isEmpty() ? QString() : hint);
    refreshEnabled();
}

bool TMainForm::isProvided(const QAction* action) const
{
    return action->property("provided").toBool();
}

void TMainForm::refreshEnabled()
{
    for (QAction* a : std::as_const(m_items))
        a->setEnabled(isProvided(a) && (!a->property("needsTrial").toBool() || m_trialOpen));
    for (QAction* top : menuBar()->actions()) {
        if (!top->menu())
            continue;
        if (top->property("needsTrial").toBool())
            top->setEnabled(m_trialOpen);
        for (QAction* a : top->menu()->actions())
            if (a->menu() && a->property("needsTrial").toBool())
                a->setEnabled(m_trialOpen);
    }
}

void TMainForm::setNoTrialState()
{
    m_trialOpen = false;
    refreshEnabled();
    if (QAction* checked = m_indexGroup->checkedAction())
        checked->setChecked(false);
    m_pages->setCurrentWidget(m_picture);
    setStatusPanel(1, QStringLiteral("Show #"));
    setStatusPanel(2, QStringLiteral("Rec #"));
    setStatusPanel(3, QStringLiteral("Current Index ="));
}

void TMainForm::setTrialOpenState()
{
    m_trialOpen = true;
    refreshEnabled();
    item(QStringLiteral("LastName1"))->setChecked(true);
    m_pages->setCurrentWidget(m_entryPanel);
}

void TMainForm::setCurrentTrial(int number, const QString& entriesPath, const QString& firstDate)
{
    m_trialNumber = number;
    m_entriesPath = entriesPath;
    m_trialFirstDate = firstDate;
}

void TMainForm::clearCurrentTrial()
{
    m_trialNumber = 0;
    m_entriesPath.clear();
    m_trialFirstDate.clear();
}

void TMainForm::installEntryPanel()
{
    auto* panel = new TEntryPanel(m_dmod);
    setEntryPanel(panel);
    connect(panel, &TEntryPanel::statusText, this, &TMainForm::setStatusPanel);
    connect(this, &TMainForm::trialOpened, panel, guarded([this, panel] { panel->setupForTrial(m_trialNumber); }));
    connect(this, &TMainForm::trialClosed, panel, guarded([panel] { panel->trialClosed(); }));
    connect(this, &TMainForm::formActivated, panel, guarded([panel] { panel->FormActivate(); }));
    // ArmbandExit: the armband right-aligned and the gate key in capitals; the same again
    // before every write of the form, which a tool button can start without leaving a field.
    panel->setArmbandExitHandler([panel] { armbands::normaliseEntryFields(panel->dmod()->TzDbf1, panel->digits()); });
    // The AGX ID check when the ID field is left, and what a save tells AGX and MyMembers.
    EntryValidation::attach(*panel);
    if (m_dmod) {
        QPointer<TEntryPanel> form(panel);
        m_dmod->TzDbf1.onUpdateRecord([form](xbase::Table& t) {
            if (form && form->handlers().isAttached())
                armbands::normaliseEntryFields(t, form->digits());
        });
    }
}

void TMainForm::setStatusPanel(int panel, const QString& text)
{
    Q_ASSERT(panel >= 1 && panel <= 3);
    m_panels[panel - 1]->setText(text);
}

QString TMainForm::statusPanel(int panel) const
{
    Q_ASSERT(panel >= 1 && panel <= 3);
    return m_panels[panel - 1]->text();
}

void TMainForm::setEntryPanel(QWidget* panel)
{
    const bool showing = m_pages->currentWidget() == m_entryPanel;
    m_pages->removeWidget(m_entryPanel);
    m_entryPanel->deleteLater();
    m_entryPanel = panel;
    m_pages->addWidget(panel);
    if (showing)
        m_pages->setCurrentWidget(panel);
}

void TMainForm::bringToFront()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

bool TMainForm::event(QEvent* event)
{
    // Menu and speed-bar hints go to the hint panel beside the three fixed panels.
    if (event->type() == QEvent::StatusTip) {
        m_hint->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit formActivated();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // The long-lived windows go with the main window (and save their places).
    for (QWidget* w : {static_cast<QWidget*>(m_calculator), static_cast<QWidget*>(m_calendar)})
        if (w->isVisible())
            w->close();
    event->accept();
}

void TMainForm::PrintSetup1Click()
{
    Dialogs::current().printerSetup(applicationPrinter());
}

void TMainForm::Exit1Click()
{
    close();
}

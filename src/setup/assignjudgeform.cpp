#include "setup/assignjudgeform.h"

#include "data/dmod.h"
#include "data/trialchecks.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/guard.h"
#include "platform/ui/tabs.h"
#include "platform/ui/windowposition.h"
#include "setup/judgeassign.h"
#include "setup/prerequisites.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

using setup::kNoneAssigned;

TAssignJudgeForm::TAssignJudgeForm(TDmod& dmod, int trialNumber, QWidget* parent)
    : QDialog(parent), m_dmod(dmod), m_trial(trialNumber)
{
    setWindowTitle(QStringLiteral("Judge Assigments "));
    buildWindow();
    resize(900, 520);
    keepWindowPosition(this);
}

TAssignJudgeForm::~TAssignJudgeForm()
{
    FormDeactivate();
}

void TAssignJudgeForm::buildWindow()
{
    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("File"));
    connect(file->addAction(QStringLiteral("Exit")), &QAction::triggered, this, guarded([this] { CloseClick(); }));
    QMenu* tasks = menuBar->addMenu(QStringLiteral("Tasks"));
    connect(tasks->addAction(QStringLiteral("Add Judge")), &QAction::triggered, this, guarded([this] { AddJudgeClick(); }));
    connect(tasks->addAction(QStringLiteral("Replace Judge")), &QAction::triggered, this,
            guarded([this] { ReplaceJudgeClick(); }));
    connect(tasks->addAction(QStringLiteral("Delete Judge")), &QAction::triggered, this,
            guarded([this] { DeleteJudgeClick(); }));
    connect(tasks->addAction(QStringLiteral("Add/Change Classes")), &QAction::triggered, this,
            guarded([this] { AddChangeClassesClick(); }));

    m_tabs = new QTabBar;
    m_tabs->setExpanding(false);
    m_tabs->setFocusPolicy(Qt::StrongFocus);   // a clicked tab takes the focus: the edit in hand is left first
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) { runGuarded([=, this] { TabControl1Change(index); }); });
    m_date = new QLabel;
    auto* top = new QHBoxLayout;
    top->addWidget(m_tabs);
    top->addSpacing(20);
    top->addWidget(new QLabel(QStringLiteral("Date:")));
    top->addWidget(m_date);
    top->addStretch(1);

    // Judges of the day with the buttons that work on them.
    m_judges = new QListWidget;
    m_judges->setSortingEnabled(true);
    connect(m_judges, &QListWidget::itemSelectionChanged, this, guarded([this] { JudgeListClick(); }));
    auto* addJudge = new QPushButton(QStringLiteral("&Add Judge"));
    auto* replaceJudge = new QPushButton(QStringLiteral("&Replace Judge"));
    auto* deleteJudge = new QPushButton(QStringLiteral("&Delete Judge"));
    connect(addJudge, &QPushButton::clicked, this, guarded([this] { AddJudgeClick(); }));
    connect(replaceJudge, &QPushButton::clicked, this, guarded([this] { ReplaceJudgeClick(); }));
    connect(deleteJudge, &QPushButton::clicked, this, guarded([this] { DeleteJudgeClick(); }));
    m_selectorLabel = new QLabel(QStringLiteral("Select the New Judge"));
    m_selector = new QComboBox;
    m_selector->installEventFilter(this);
    connect(m_selector, &QComboBox::activated, this, guarded([this] { SelectorChange(); }));
    m_okay = new QPushButton(QStringLiteral("&Okay"));
    m_selectorCancel = new QPushButton(QStringLiteral("Ca&ncel"));
    connect(m_okay, &QPushButton::clicked, this, guarded([this] { OkayClick(); }));
    connect(m_selectorCancel, &QPushButton::clicked, this, guarded([this] { SelectorCancelClick(); }));
    auto* selectorButtons = new QHBoxLayout;
    selectorButtons->addWidget(m_okay);
    selectorButtons->addWidget(m_selectorCancel);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Assigned Judges for this Day")));
    left->addWidget(m_judges, 1);
    left->addWidget(addJudge);
    left->addWidget(replaceJudge);
    left->addWidget(deleteJudge);
    left->addWidget(m_selectorLabel);
    left->addWidget(m_selector);
    left->addLayout(selectorButtons);

    // Classes of the highlighted judge, or the check list to change them.
    m_classesLabel = new QLabel(QStringLiteral("Class Assignments for Highlighted Judge"));
    m_classes = new QListWidget;
    m_classes->setSortingEnabled(true);
    m_checksLabel = new QLabel(QStringLiteral("Check-off Classes for Highlighted Judge"));
    m_checks = new QListWidget;
    m_checks->setSortingEnabled(true);
    connect(m_checks, &QListWidget::itemChanged, this, guarded([this] { CheckListClickCheck(); }));
    auto* change = new QPushButton(QStringLiteral("Add/Change Classes"));
    connect(change, &QPushButton::clicked, this, guarded([this] { AddChangeClassesClick(); }));
    m_selectAll = new QPushButton(QStringLiteral("Select All Classes"));
    m_save = new QPushButton(QStringLiteral("&Save"));
    m_cancel = new QPushButton(QStringLiteral("&Cancel"));
    connect(m_selectAll, &QPushButton::clicked, this, guarded([this] { SelectAllClick(); }));
    connect(m_save, &QPushButton::clicked, this, guarded([this] { SaveClick(); }));
    connect(m_cancel, &QPushButton::clicked, this, guarded([this] { CancelClick(); }));
    auto* checkButtons = new QHBoxLayout;
    checkButtons->addWidget(change);
    checkButtons->addStretch(1);
    checkButtons->addWidget(m_selectAll);
    checkButtons->addWidget(m_save);
    checkButtons->addWidget(m_cancel);

    auto* right = new QVBoxLayout;
    right->addWidget(m_classesLabel);
    right->addWidget(m_classes, 1);
    right->addWidget(m_checksLabel);
    right->addWidget(m_checks, 1);
    right->addLayout(checkButtons);

    auto* close = new QPushButton(QStringLiteral("Cl&ose"));
    connect(close, &QPushButton::clicked, this, guarded([this] { CloseClick(); }));

    auto* lists = new QHBoxLayout;
    lists->addLayout(left, 1);
    lists->addLayout(right, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(top);
    layout->addLayout(lists, 1);
    layout->addLayout(bottom);

    showSelector(false);
    showCheckList(false);
}

void TAssignJudgeForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_activated)
        runGuarded([this] { FormActivate(); });
}

void TAssignJudgeForm::done(int result)
{
    runGuarded([this] { FormDeactivate(); });
    QDialog::done(result);
}

QString TAssignJudgeForm::workPath() const
{
    return m_dmod.TablePath(data::TableId::vjdgdum);
}

void TAssignJudgeForm::FormActivate()
{
    m_activated = true;
    showSelector(false);
    showCheckList(false);
    const std::optional<setup::TrialOffer> offer = setup::findTrial(m_dmod, m_trial);
    if (!offer)
        return;
    m_offer = *offer;
    const QString trial = data::TrialNumberText(m_trial);
    data::openForTrial(m_dmod, m_dmod.LevGroup, data::TableId::LevGroup, trial);
    if (!setup::LevelGroupsAssigned(m_dmod))
        return;   // the window stays empty

    QStringList days;
    for (int day = 1; day <= m_offer.days.size(); ++day)
        days << QStringLiteral("Day %1").arg(day);
    resetTabs(m_tabs, days);
    data::openForTrial(m_dmod, m_dmod.ShwJudges, data::TableId::ShwJudges, trial);

    // The work table is made afresh for every opening.
    if (m_work.isOpen())
        m_work.close();
    xbase::Table::remove(workPath());
    m_dmod.OpenDefined(m_work, data::TableId::vjdgdum);
    setup::fillJudgeWork(m_dmod.LevGroup, m_work);
    m_ready = true;
    showDay(1);
}

void TAssignJudgeForm::FormDeactivate()
{
    if (!m_work.isOpen())
        return;
    m_ready = false;
    m_work.close();
    xbase::Table::remove(workPath());
}

void TAssignJudgeForm::CloseClick()
{
    if (m_dmod.ShwJudges.isOpen())
        m_dmod.ShwJudges.first();
    accept();
}

QString TAssignJudgeForm::dateText() const
{
    return m_date->text();
}

void TAssignJudgeForm::showDay(int day)
{
    m_day = day;
    const QDate date = m_offer.firstDate.addDays(day - 1);
    m_date->setText(QLocale(QLocale::English).dayName(date.dayOfWeek()) + QStringLiteral("  ")
                    + date.toString(QStringLiteral("MM/dd/yyyy")));
    showSelector(false);
    showCheckList(false);
    m_classes->clear();
    fillJudges();
}

void TAssignJudgeForm::TabControl1Change(int index)
{
    if (!m_ready || index < 0)
        return;
    showDay(index + 1);
}

void TAssignJudgeForm::fillJudges(const QString& select)
{
    {
        const QSignalBlocker block(m_judges);
        m_judges->clear();
        const QStringList judges = setup::judgesOfDay(m_dmod.ShwJudges, m_day);
        if (judges.isEmpty())
            m_judges->addItem(kNoneAssigned);
        else
            m_judges->addItems(judges);
        int row = 0;
        for (int i = 0; i < m_judges->count(); ++i)
            if (m_judges->item(i)->text() == select)
                row = i;
        m_judges->setCurrentRow(row);
    }
    showClasses();
}

bool TAssignJudgeForm::hasJudge() const
{
    const QListWidgetItem* item = m_judges->currentItem();
    return item && item->text() != kNoneAssigned;
}

QString TAssignJudgeForm::currentJudge() const
{
    return hasJudge() ? m_judges->currentItem()->text() : QString();
}

void TAssignJudgeForm::showClasses()
{
    m_classes->clear();
    const QStringList classes =
        hasJudge() ? setup::classesOfJudge(m_dmod.ShwJudges, m_day, currentJudge()) : QStringList();
    if (classes.isEmpty())
        m_classes->addItem(kNoneAssigned);
    else
        m_classes->addItems(classes);
}

void TAssignJudgeForm::JudgeListClick()
{
    if (m_ready && m_mode != Mode::CheckingClasses)
        showClasses();
}

// The judge selector (Add and Replace)

void TAssignJudgeForm::showSelector(bool shown)
{
    m_selectorLabel->setVisible(shown);
    m_selector->setVisible(shown);
    m_okay->setVisible(false);
    m_selectorCancel->setVisible(false);
    if (!shown && (m_mode == Mode::AddingJudge || m_mode == Mode::ReplacingJudge))
        m_mode = Mode::Browsing;
}

void TAssignJudgeForm::openSelector(Mode mode)
{
    if (!m_ready || m_mode == Mode::CheckingClasses)
        return;
    if (mode == Mode::ReplacingJudge && !hasJudge())
        return;
    m_dmod.OpenJudges();
    QStringList codes;
    xbase::ScanCursor judges = m_dmod.Judges.scan();
    judges.setCurrentTag({});
    for (bool ok = judges.first(); ok && !judges.eof(); ok = judges.next())
        if (!judges.isDeleted() && !judges.trimmed(QStringLiteral("judgecode")).isEmpty())
            codes.append(judges.text(QStringLiteral("judgecode")).trimmed());
    codes.sort();
    m_selector->clear();
    m_selector->addItems(codes);
    m_selector->setCurrentIndex(-1);
    showSelector(true);
    m_mode = mode;
    m_selector->setFocus();
    if (isVisible())
        m_selector->showPopup();
}

void TAssignJudgeForm::AddJudgeClick()
{
    openSelector(Mode::AddingJudge);
}

void TAssignJudgeForm::ReplaceJudgeClick()
{
    openSelector(Mode::ReplacingJudge);
}

void TAssignJudgeForm::SelectorChange()
{
    if (m_selector->currentIndex() < 0)
        return;
    m_okay->setVisible(true);
    m_selectorCancel->setVisible(true);
}

bool TAssignJudgeForm::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the selector presses Okay, unless the focus went to its Cancel.
    if (watched == m_selector && event->type() == QEvent::FocusOut && m_okay->isVisible()
        && QApplication::focusWidget() != m_selectorCancel && !m_selector->view()->isVisible()) {
        runGuarded([this] { OkayClick(); });
    }
    return QDialog::eventFilter(watched, event);
}

void TAssignJudgeForm::OkayClick()
{
    if (m_mode != Mode::AddingJudge && m_mode != Mode::ReplacingJudge)
        return;
    const QString chosen = m_selector->currentText().trimmed();
    const Mode mode = m_mode;
    showSelector(false);
    if (chosen.isEmpty())
        return;

    if (mode == Mode::AddingJudge) {
        setup::appendPlaceholder(m_dmod.ShwJudges, m_trial, m_day, chosen);
    } else {
        setup::replaceJudge(m_dmod.ShwJudges, m_day, currentJudge(), chosen);
        delete m_judges->takeItem(m_judges->currentRow());
    }
    const QSignalBlocker block(m_judges);
    const QList<QListWidgetItem*> none = m_judges->findItems(kNoneAssigned, Qt::MatchExactly);
    for (QListWidgetItem* item : none)
        delete item;
    auto* item = new QListWidgetItem(chosen);
    m_judges->addItem(item);
    m_judges->setCurrentItem(item);
    showClasses();
}

void TAssignJudgeForm::SelectorCancelClick()
{
    showSelector(false);
}

// The check list of classes

void TAssignJudgeForm::showCheckList(bool shown)
{
    m_classesLabel->setVisible(!shown);
    m_classes->setVisible(!shown);
    m_checksLabel->setVisible(shown);
    m_checks->setVisible(shown);
    m_selectAll->setVisible(shown);
    m_save->setVisible(shown);
    m_cancel->setVisible(shown);
    // The check list belongs to one judge: another cannot be picked until it is saved or cancelled.
    m_judges->setEnabled(!shown);
    if (!shown) {
        const QSignalBlocker block(m_checks);
        m_checks->clear();
        if (m_mode == Mode::CheckingClasses)
            m_mode = Mode::Browsing;
    }
    m_changed = false;
}

void TAssignJudgeForm::AddChangeClassesClick()
{
    if (!m_ready || !hasJudge() || m_mode != Mode::Browsing)
        return;
    const QStringList current = setup::classesOfJudge(m_dmod.ShwJudges, m_day, currentJudge());
    {
        const QSignalBlocker block(m_checks);
        m_checks->clear();
        for (const setup::WorkItem& work : setup::workItemsOfDay(m_work, m_day)) {
            auto* item = new QListWidgetItem(work.text);
            item->setData(Qt::UserRole, work.recNo);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(current.contains(work.text) ? Qt::Checked : Qt::Unchecked);
            m_checks->addItem(item);
        }
    }
    showCheckList(true);
    m_mode = Mode::CheckingClasses;
    m_checkingJudge = currentJudge();
}

void TAssignJudgeForm::CheckListClickCheck()
{
    m_changed = true;
}

void TAssignJudgeForm::SelectAllClick()
{
    {
        const QSignalBlocker block(m_checks);
        for (int i = 0; i < m_checks->count(); ++i)
            m_checks->item(i)->setCheckState(Qt::Checked);
    }
    m_changed = true;
}

void TAssignJudgeForm::SaveClick()
{
    if (m_mode != Mode::CheckingClasses)
        return;
    if (m_changed) {
        QList<quint32> checked;
        for (int i = 0; i < m_checks->count(); ++i)
            if (m_checks->item(i)->checkState() == Qt::Checked)
                checked.append(m_checks->item(i)->data(Qt::UserRole).toUInt());
        setup::saveJudgeClasses(m_dmod.ShwJudges, m_work, m_trial, m_day, m_checkingJudge, checked);
    }
    showCheckList(false);
    showClasses();
}

void TAssignJudgeForm::CancelClick()
{
    showCheckList(false);
    showClasses();
}

void TAssignJudgeForm::DeleteJudgeClick()
{
    if (!m_ready || !hasJudge() || m_mode != Mode::Browsing)
        return;
    MessageRequest request;
    request.title = setup::kDeleteJudgeTitle;
    request.icon = MessageIcon::Question;
    request.text = setup::kDeleteJudgeText;
    request.buttons = {QStringLiteral("Okay"), QStringLiteral("Cancel")};
    request.escapeButton = 1;
    if (Dialogs::current().message(request) != QStringLiteral("Okay"))
        return;
    setup::deleteJudge(m_dmod.ShwJudges, m_day, currentJudge());
    {
        const QSignalBlocker block(m_judges);
        delete m_judges->takeItem(m_judges->currentRow());
        if (m_judges->count() == 0)
            m_judges->addItem(kNoneAssigned);
        m_judges->setCurrentRow(0);
    }
    showClasses();
}

// Readers for the tests and the status

namespace {
QStringList texts(const QListWidget* list, bool checkedOnly = false)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        if (!checkedOnly || list->item(i)->checkState() == Qt::Checked)
            items.append(list->item(i)->text());
    return items;
}
} // namespace

QStringList TAssignJudgeForm::judgeItems() const
{
    return texts(m_judges);
}

QStringList TAssignJudgeForm::classItems() const
{
    return texts(m_classes);
}

QStringList TAssignJudgeForm::checkItems() const
{
    return texts(m_checks);
}

QStringList TAssignJudgeForm::checkedItems() const
{
    return texts(m_checks, true);
}

bool TAssignJudgeForm::checkListShown() const
{
    return !m_checks->isHidden();
}

bool TAssignJudgeForm::selectorShown() const
{
    return !m_selector->isHidden();
}

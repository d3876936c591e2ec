#include "setup/runorderform.h"

#include "data/dmod.h"
#include "data/trialchecks.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/guard.h"
#include "platform/ui/tabs.h"
#include "platform/ui/windowposition.h"
#include "setup/prerequisites.h"
#include "setup/runorderbox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QVBoxLayout>

using setup::BoxId;
using setup::BoxKind;

TRunOrderForm::TRunOrderForm(TDmod& dmod, int trialNumber, QWidget* parent)
    : QDialog(parent), m_dmod(dmod), m_trial(trialNumber)
{
    setWindowTitle(QStringLiteral("RunOrderForm"));
    buildWindow();
    resize(1040, 660);
    keepWindowPosition(this);
}

TRunOrderForm::~TRunOrderForm() = default;

void TRunOrderForm::buildWindow()
{
    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("File"));
    QAction* exit = file->addAction(QStringLiteral("Exit"));
    connect(exit, &QAction::triggered, this, guarded([this] { CloseButtonClick(); }));

    // Top panel: instruction, trial number and the buttons.
    m_top = new QWidget(this);
    auto* instruction = new QLabel(QStringLiteral(
        "Drag and Drop each class from the UNASSIGNED box to the RING boxes for each day of your Trial.  "
        "Then Select the JUMP HTS for each Ring.  Classes may also be moved  up or down by dragging "
        "within the Ring boxes to get the correct order. "));
    instruction->setWordWrap(true);
    m_showNum = new QLineEdit;
    m_showNum->setReadOnly(true);
    m_showNum->setMaximumWidth(70);
    auto* close = new QPushButton(QStringLiteral("Cl&ose"));
    m_save = new QPushButton(QStringLiteral("&Save Changes"));
    m_cancel = new QPushButton(QStringLiteral("&Cancel Changes"));
    connect(close, &QPushButton::clicked, this, guarded([this] { CloseButtonClick(); }));
    connect(m_save, &QPushButton::clicked, this, guarded([this] { SaveButtonClick(); }));
    connect(m_cancel, &QPushButton::clicked, this, guarded([this] { CancelButtonClick(); }));

    auto* top = new QHBoxLayout(m_top);
    top->addWidget(instruction, 1);
    auto* showNum = new QVBoxLayout;
    showNum->addWidget(new QLabel(QStringLiteral("Show #")));
    showNum->addWidget(m_showNum);
    top->addLayout(showNum);
    top->addWidget(close);
    top->addWidget(m_save);
    top->addWidget(m_cancel);

    // Bottom panel: the day tabs over the nine boxes.
    m_bottom = new QWidget(this);
    m_tabs = new QTabBar;
    m_tabs->setExpanding(false);
    m_tabs->setFocusPolicy(Qt::StrongFocus);   // a clicked tab takes the focus: the edit in hand is left first
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) { runGuarded([=, this] { TabControl1Change(index); }); });

    const auto connectBox = [this](RunOrderBox* box) {
        connect(box, &RunOrderBox::itemDropped, this,
                [this](BoxId source, int sourceRow, BoxId target, int targetRow) {
                    runGuarded([=, this] { BoxDragDrop(source, sourceRow, target, targetRow); });
                });
    };

    auto* unassigned = new QGroupBox(QStringLiteral("UnAssigned Classes"));
    auto* unassignedLayout = new QVBoxLayout(unassigned);
    unassignedLayout->addWidget(new QLabel(QStringLiteral("(Class - Round - Level)")));
    m_classBoxes[0] = new RunOrderBox({BoxKind::Classes, 0}, this);
    m_classBoxes[0]->setObjectName(QStringLiteral("UnAssigned"));
    connectBox(m_classBoxes[0]);
    unassignedLayout->addWidget(m_classBoxes[0], 1);
    auto* moveAll = new QPushButton(QStringLiteral("Move All to Ring 1"));
    connect(moveAll, &QPushButton::clicked, this, guarded([this] { MoveAllButtonClick(); }));
    unassignedLayout->addWidget(moveAll);

    auto* assigned = new QGroupBox(QStringLiteral("Assigned Classes"));
    auto* rings = new QGridLayout(assigned);
    for (int ring = 1; ring <= 4; ++ring) {
        const int col = ring - 1;
        rings->addWidget(new QLabel(QStringLiteral("Ring %1").arg(ring)), 0, col);
        m_classBoxes[size_t(ring)] = new RunOrderBox({BoxKind::Classes, ring}, this);
        m_classBoxes[size_t(ring)]->setObjectName(QStringLiteral("Ring%1").arg(ring));
        connectBox(m_classBoxes[size_t(ring)]);
        rings->addWidget(m_classBoxes[size_t(ring)], 1, col);

        auto* heading = new QLabel(QStringLiteral(" Jump Height Order for Ring"));
        heading->setToolTip(QStringLiteral("Use Buttons to Flip the order or Drag and Drop within the box"));
        rings->addWidget(heading, 2, col);
        m_heightBoxes[size_t(col)] = new RunOrderBox({BoxKind::Heights, ring}, this);
        m_heightBoxes[size_t(col)]->setObjectName(QStringLiteral("Heights%1").arg(ring));
        m_heightBoxes[size_t(col)]->setToolTip(heading->toolTip());
        m_heightBoxes[size_t(col)]->setMaximumHeight(120);
        connectBox(m_heightBoxes[size_t(col)]);
        rings->addWidget(m_heightBoxes[size_t(col)], 3, col);
        auto* flip = new QPushButton(QStringLiteral("Flip Ring %1 Heights").arg(ring));
        connect(flip, &QPushButton::clicked, this, guarded([this, ring] { FlipButtonClick(ring); }));
        rings->addWidget(flip, 4, col);
    }
    rings->setRowStretch(1, 1);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(unassigned, 1);
    boxes->addWidget(assigned, 4);
    auto* bottom = new QVBoxLayout(m_bottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->addWidget(m_tabs);
    bottom->addLayout(boxes, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(m_top);
    layout->addWidget(m_bottom, 1);
}

bool TRunOrderForm::panelsShown() const
{
    return !m_top->isHidden() && !m_bottom->isHidden();
}

void TRunOrderForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        runGuarded([this] { FormActivate(); });
    }
}

void TRunOrderForm::FormActivate()
{
    m_activated = true;
    m_top->hide();
    m_bottom->hide();
    m_day = 1;
    setChanged(false);

    const std::optional<setup::TrialOffer> offer = setup::findTrial(m_dmod, m_trial);
    if (!offer)
        return;
    m_offer = *offer;
    resetTabs(m_tabs, setup::dayCaptions(m_offer.firstDate, m_offer.days.size()));

    const QString trial = data::TrialNumberText(m_trial);
    data::openForTrial(m_dmod, m_dmod.RunOrder, data::TableId::RunOrder, trial);
    data::openForTrial(m_dmod, m_dmod.LevGroup, data::TableId::LevGroup, trial);
    m_dmod.LevGroup.setCurrentTag(QStringLiteral("LEVKEY"));
    if (!setup::LevelGroupsAssigned(m_dmod))
        return;   // only the menu closes the window now

    setup::buildRunOrder(m_dmod, m_offer);
    setup::buildJumpHts(m_dmod, m_offer);
    m_showNum->setText(QString::number(m_trial));
    m_top->show();
    m_bottom->show();
    m_tabs->updateGeometry();   // tabs added while hidden leave the old size hint behind
    showDay(1);
}

void TRunOrderForm::FormDeactivate()
{
    for (RunOrderBox* box : m_classBoxes)
        box->clear();
    for (RunOrderBox* box : m_heightBoxes)
        box->clear();
    m_boxes = {};
}

void TRunOrderForm::showDay(int day)
{
    m_boxes = setup::loadDay(m_dmod.RunOrder, m_dmod.JumpHts, day);
    render();
}

void TRunOrderForm::render()
{
    for (int i = 0; i < 5; ++i) {
        m_classBoxes[size_t(i)]->clear();
        m_classBoxes[size_t(i)]->addItems(m_boxes.classes[size_t(i)]);
    }
    for (int i = 0; i < 4; ++i) {
        m_heightBoxes[size_t(i)]->clear();
        m_heightBoxes[size_t(i)]->addItems(m_boxes.heights[size_t(i)]);
    }
}

void TRunOrderForm::setChanged(bool changed)
{
    m_changed = changed;
    m_save->setEnabled(changed);
    m_cancel->setEnabled(changed);
}

void TRunOrderForm::saveDay()
{
    if (!m_changed)
        return;
    setup::saveDay(m_dmod.RunOrder, m_dmod.JumpHts, m_trial, m_day, m_boxes);
    setChanged(false);
}

void TRunOrderForm::SaveButtonClick()
{
    saveDay();
}

void TRunOrderForm::CancelButtonClick()
{
    setChanged(false);
    showDay(m_day);
}

void TRunOrderForm::CloseButtonClick()
{
    reject();
}

void TRunOrderForm::done(int result)
{
    // Every way out (button, menu, Esc, the window's close box) comes here. A save that
    // fails keeps the window open with its moves.
    const bool ok = runGuarded([this] {
        if (m_changed) {
            const QString answer = Dialogs::current().message(
                {QString(), MessageIcon::Question, QStringLiteral(" Save your Changes?"),
                 {QStringLiteral("Yes"), QStringLiteral("No")}, 0, 1});
            if (answer == QLatin1String("Yes"))
                saveDay();
            setChanged(false);
        }
        FormDeactivate();
        // The tables this window opened close with it (LevGroup belongs to the check that
        // let the window open).
        m_dmod.RunOrder.close();
        m_dmod.JumpHts.close();
    });
    if (ok)
        QDialog::done(result);
}

void TRunOrderForm::MoveAllButtonClick()
{
    setup::moveAllToRing1(m_boxes);
    setChanged(true);
    render();
}

void TRunOrderForm::FlipButtonClick(int ring)
{
    setup::flipHeights(m_boxes, ring);
    setChanged(true);
    render();
}

void TRunOrderForm::TabControl1Change(int index)
{
    // Moves not yet saved belong to the day they were made on: ask before that day's
    // boxes are replaced by the next day's.
    if (m_changed) {
        const QString answer = Dialogs::current().message(
            {QString(), MessageIcon::Question, QStringLiteral(" Save your Changes?"),
             {QStringLiteral("Yes"), QStringLiteral("No")}, 0, 1});
        if (answer == QLatin1String("Yes")) {
            try {
                saveDay();
            } catch (...) {
                const QSignalBlocker block(m_tabs);
                m_tabs->setCurrentIndex(m_day - 1);   // stay on the day whose moves were not saved
                throw;
            }
        }
        setChanged(false);
    }
    m_day = index + 1;
    showDay(m_day);
}

void TRunOrderForm::BoxDragDrop(BoxId source, int sourceRow, BoxId target, int targetRow)
{
    const std::optional<int> selected = setup::dropItem(m_boxes, source, sourceRow, target, targetRow);
    if (!selected)
        return;
    setChanged(true);
    render();
    RunOrderBox* box = target.kind == BoxKind::Classes ? classBox(target.index) : heightBox(target.index);
    box->setCurrentRow(*selected);
}

#include "setup/levgroupform.h"

#include "data/dmod.h"
#include "data/trialchecks.h"
#include "platform/system/errors.h"
#include "platform/ui/boundlineedit.h"
#include "platform/ui/datagrid.h"
#include "platform/ui/datasource.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/guard.h"
#include "platform/ui/tabs.h"
#include "platform/ui/navigator.h"
#include "platform/ui/windowposition.h"
#include "setup/levelgroups.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QVBoxLayout>

const QString& TLevGroupForm::instructions()
{
    static const QString text = QStringLiteral(
        "Based on the Courses and the Judge's request - Please indicate the Level Goupings per class "
        "for each day.    (This is NOT the Running Order for the classes - that is defined separately.)   \n"
        "\n"
        "Just type-in the Levels in the grid - do not include spaces or symbols.\n"
        "\n"
        "Group A    Group B   Group C   Group D\n"
        "Standard:  1   2   3   45C\n"
        "Jumpers:   12   345C\n"
        "FullHouse: 12345C\n"
        "Level S is no longer valid");
    return text;
}

TLevGroupForm::TLevGroupForm(TDmod& dmod, int trialNumber, QWidget* parent)
    : QDialog(parent), m_dmod(dmod), m_trial(trialNumber)
{
    setWindowTitle(QStringLiteral("Define Level Groupings"));
    // The table is opened here so the controls can be bound to it; its rows are built on
    // activation.
    data::openForTrial(m_dmod, m_dmod.LevGroup, data::TableId::LevGroup, data::TrialNumberText(m_trial));
    m_source = new DataSource(m_dmod.LevGroup, this);
    buildWindow();
    resize(760, 600);
    keepWindowPosition(this);
}

TLevGroupForm::~TLevGroupForm()
{
    FormDeactivate();
}

void TLevGroupForm::buildWindow()
{
    m_top = new QWidget(this);
    auto* text = new QPlainTextEdit(instructions());
    text->setReadOnly(true);
    text->setMaximumHeight(170);
    m_showNum = new BoundLineEdit(m_source, QStringLiteral("show_num"));
    m_showNum->setReadOnly(true);
    m_showNum->setMaximumWidth(70);
    m_navigator = new Navigator(m_source);
    m_edit = new QPushButton(QStringLiteral("&Edit"));
    m_save = new QPushButton(QStringLiteral("&Save"));
    m_cancel = new QPushButton(QStringLiteral("&Cancel"));
    auto* close = new QPushButton(QStringLiteral("Cl&ose"));
    connect(m_edit, &QPushButton::clicked, this, guarded([this] { EditButtonClick(); }));
    connect(m_save, &QPushButton::clicked, this, guarded([this] { SaveButtonClick(); }));
    connect(m_cancel, &QPushButton::clicked, this, guarded([this] { CancelButtonClick(); }));
    connect(close, &QPushButton::clicked, this, guarded([this] { CloseButtonClick(); }));

    auto* controls = new QGridLayout;
    controls->addWidget(new QLabel(QStringLiteral("Show #")), 0, 0);
    controls->addWidget(m_showNum, 0, 1);
    controls->addWidget(m_navigator, 1, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_edit);
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);
    buttons->addWidget(close);
    controls->addLayout(buttons, 2, 0, 1, 2);
    auto* top = new QHBoxLayout(m_top);
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(text, 1);
    top->addLayout(controls);

    m_bottom = new QWidget(this);
    m_tabs = new QTabBar;
    m_tabs->setExpanding(false);
    m_tabs->setFocusPolicy(Qt::StrongFocus);   // a clicked tab takes the focus: the edit in hand is left first
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) { runGuarded([=, this] { TabControl1Change(index); }); });
    m_grid = new DataGrid(*m_source);
    QList<GridColumn> columns;
    // Class, run and levels offered come from the trial's days: typed only in the groups.
    for (const char* field : {"classname", "round", "available"})
        columns.push_back({QString::fromLatin1(field), QString::fromLatin1(field), 0, true});
    for (const char* field : {"group_a", "group_b", "group_c", "group_d"})
        columns.push_back({QString::fromLatin1(field), QString::fromLatin1(field), 0, false});
    m_grid->setColumns(columns);
    m_grid->setEnterHandler([this](bool backward) { m_grid->stepCell(backward); });
    auto* bottom = new QVBoxLayout(m_bottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->setSpacing(0);
    bottom->addWidget(m_tabs);
    bottom->addWidget(m_grid, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_top);
    layout->addWidget(m_bottom, 1);
    updateButtons();
}

bool TLevGroupForm::panelsShown() const
{
    return !m_top->isHidden() && !m_bottom->isHidden();
}

void TLevGroupForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        runGuarded([this] { FormActivate(); });
    }
}

void TLevGroupForm::FormActivate()
{
    m_activated = true;
    m_top->hide();
    m_bottom->hide();
    const std::optional<setup::TrialOffer> offer = setup::findTrial(m_dmod, m_trial);
    if (!offer) {
        Dialogs::current().information(QStringLiteral("That Show hasn't been defined - check the number"));
        return;
    }
    m_offer = *offer;

    xbase::Table& levGroup = m_dmod.LevGroup;
    const QString notice = setup::buildLevGroup(m_dmod, m_offer);
    if (!notice.isEmpty())
        Dialogs::current().information(notice);

    m_rowCheck = levGroup.onBeforePost([this](xbase::Table& table) {
        for (const QString& message : setup::checkLevGroupRow(table))
            Dialogs::current().information(message);
        return true;
    });
    connect(m_source, &DataSource::stateChanged, this, &TLevGroupForm::updateButtons, Qt::UniqueConnection);
    m_active = true;
    resetTabs(m_tabs, setup::dayCaptions(m_offer.firstDate, m_offer.days.size()));
    filterDay(1);
    m_top->show();
    m_bottom->show();
    m_tabs->updateGeometry();   // tabs added while hidden leave the old size hint behind
    updateButtons();
}

void TLevGroupForm::FormDeactivate()
{
    if (!m_active)
        return;
    m_active = false;
    xbase::Table& levGroup = m_dmod.LevGroup;
    disconnect(m_source, &DataSource::stateChanged, this, &TLevGroupForm::updateButtons);
    if (levGroup.isOpen()) {
        levGroup.clearFilter();
        levGroup.first();
        levGroup.detach(m_rowCheck);
    }
    m_rowCheck = 0;
}

void TLevGroupForm::filterDay(int day)
{
    m_day = day;
    xbase::Table& levGroup = m_dmod.LevGroup;
    const QString dayText = QString::number(day);
    levGroup.setFilter([dayText](const xbase::RecordView& row) { return row.text("day_num") == dayText; });
    m_grid->refresh();
    levGroup.first();
}

void TLevGroupForm::TabControl1Change(int index)
{
    xbase::Table& levGroup = m_dmod.LevGroup;
    if (m_source->isEditing() && !levGroup.post()) {
        const QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(m_day - 1);
        return;
    }
    filterDay(index + 1);
}

void TLevGroupForm::updateButtons()
{
    const bool editing = m_source->isEditing();
    m_edit->setEnabled(!editing);
    m_save->setEnabled(editing);
    m_cancel->setEnabled(editing);
}

void TLevGroupForm::EditButtonClick()
{
    m_source->edit();
}

void TLevGroupForm::SaveButtonClick()
{
    if (m_source->isEditing())
        m_dmod.LevGroup.post();
}

void TLevGroupForm::CancelButtonClick()
{
    xbase::Table& levGroup = m_dmod.LevGroup;
    if (m_source->isEditing())
        levGroup.cancel();
    levGroup.refresh();
    m_grid->refresh();
}

void TLevGroupForm::CloseButtonClick()
{
    reject();
}

void TLevGroupForm::done(int result)
{
    // A row still being typed is saved (through the row check) before the window goes.
    const bool ok = runGuarded([this] {
        if (m_source->isEditing() && !m_dmod.LevGroup.post())
            throw SilentAbort();
        FormDeactivate();
    });
    if (ok)
        QDialog::done(result);
}

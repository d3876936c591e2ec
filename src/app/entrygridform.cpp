#include "app/entrygridform.h"

#include "data/dmod.h"
#include "platform/system/gendefs.h"
#include "platform/ui/datagrid.h"
#include "platform/ui/datasource.h"
#include "platform/ui/guard.h"
#include "platform/ui/navigator.h"
#include "platform/ui/waitcursor.h"
#include "platform/ui/windowposition.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QVBoxLayout>

using entryindex::entryOrders;

TShowGridForm1::TShowGridForm1(TDmod& dmod, int trialNumber, entryindex::EntrySearch* search, QWidget* parent)
    : QDialog(parent), m_dmod(dmod), m_table(dmod.TzDbf1), m_trialNumber(trialNumber),
      m_search(search ? search : &m_ownSearch)
{
    setObjectName(QStringLiteral("ShowGridForm1"));
    setWindowTitle(QStringLiteral("ShowGridForm1"));

    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = menuBar->addMenu(QStringLiteral("File"));
    QAction* exit = file->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, guarded([this] { CloseBtnClick(); }));

    QMenu* index = menuBar->addMenu(QStringLiteral("Index"));
    m_indexGroup = new QActionGroup(this);
    for (int i = 0; i < entryOrders().size(); ++i) {
        QAction* a = index->addAction(entryOrders()[i].gridCaption);
        a->setObjectName(QStringLiteral("Index%1").arg(i));
        a->setCheckable(true);
        m_indexGroup->addAction(a);
        connect(a, &QAction::triggered, this, guarded([this, i] { IndexClick(i); }));
    }

    QMenu* tasks = menuBar->addMenu(QStringLiteral("Tasks"));
    m_hideDeletes = tasks->addAction(QStringLiteral("Hide Deletes"));
    m_hideDeletes->setObjectName(QStringLiteral("HideDeletes1"));
    connect(m_hideDeletes, &QAction::triggered, this, guarded([this] { HideDeletesClick(); }));
    QAction* reset = tasks->addAction(QStringLiteral("Reset Grid to Defaults"));
    reset->setObjectName(QStringLiteral("ResetGridToDefaults1"));
    connect(reset, &QAction::triggered, this, guarded([this] { ResetGridClick(); }));

    auto* title = new QLabel(QStringLiteral("View the Current Show Records by current index - No Editing Allowed"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* dragNote = new QLabel(QStringLiteral("Drag a Column Header left or right to re-arrange the displayed order of fields"), this);

    m_source = new DataSource(m_table, this);
    TzGrid1 = new DataGrid(*m_source, this);
    TzGrid1->setObjectName(QStringLiteral("TzGrid1"));
    TzGrid1->setReadOnly(true);
    TzGrid1->tableModel()->setRowColour([](const xbase::RecordView& record) {
        return record.isDeleted() ? DataSource::deletedColour() : QColor();
    });

    DBNavigator1 = new Navigator(m_source, this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setRefreshVisible(false);
    auto* find = new QPushButton(QStringLiteral("Find"), this);
    find->setObjectName(QStringLiteral("FindBtn"));
    find->setAutoDefault(false);
    connect(find, &QPushButton::clicked, this, guarded([this] { FindBtnClick(); }));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseBtn"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, guarded([this] { CloseBtnClick(); }));

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    const int widths[3] = {90, 150, 220};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(status);
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_panels[i]->setMinimumWidth(widths[i]);
        m_panels[i]->setTextFormat(Qt::PlainText);
        status->addWidget(m_panels[i]);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DBNavigator1);
    buttons->addStretch();
    buttons->addWidget(find);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(title);
    layout->addWidget(dragNote);
    layout->addWidget(TzGrid1, 1);
    layout->addLayout(buttons);
    layout->addWidget(status);

    resize(780, 480);
    keepWindowPosition(this);
    FormOpen();
}

TShowGridForm1::~TShowGridForm1()
{
    runGuarded([this] { FormClose(); });
}

void TShowGridForm1::FormOpen()
{
    m_afterScroll = m_table.onAfterScroll([this](xbase::Table&) { showPosition(); });
    m_table.setReadOnly(true);
    m_open = true;
    m_panels[0]->setText(QStringLiteral("Show # %1").arg(m_trialNumber));
    showPosition();
    showOrder();
    captionHideDeletes();
    setLayout(entryindex::readGridLayout(GenDefs().ini()));
}

void TShowGridForm1::FormClose()
{
    if (!m_open)
        return;
    m_open = false;
    m_table.detach(m_afterScroll);
    if (m_table.isOpen())
        m_table.setReadOnly(false);
    GenDefs settings;
    IniFile& ini = settings.ini();
    entryindex::writeGridLayout(ini, shownColumns());
}

void TShowGridForm1::done(int result)
{
    runGuarded([this] { FormClose(); });
    QDialog::done(result);
}

void TShowGridForm1::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // The layout is kept as soon as the window loses the focus, as it is on closing.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && m_open && isVisible())
        runGuarded([this] { entryindex::writeGridLayout(GenDefs().ini(), shownColumns()); });
}

QString TShowGridForm1::statusText(int panel) const
{
    Q_ASSERT(panel >= 1 && panel <= 3);
    return m_panels[panel - 1]->text();
}

QAction* TShowGridForm1::indexItem(int order) const
{
    return m_indexGroup->actions().value(order);
}

void TShowGridForm1::showPosition()
{
    m_panels[1]->setText(QStringLiteral("Rec # %1 / %2")
                             .arg(m_table.recNo(), 5)
                             .arg(m_table.isOpen() ? m_table.recordCount() : 0, 5));
}

void TShowGridForm1::showOrder()
{
    const QString tag = m_table.currentTag();
    m_panels[2]->setText(QStringLiteral("Current Index = ") + entryindex::gridOrderName(tag));
    const entryindex::EntryOrder& order = entryindex::orderOfTag(tag);
    indexItem(int(&order - &entryOrders().front()))->setChecked(true);
}

void TShowGridForm1::captionHideDeletes()
{
    // The item names what choosing it does.
    m_hideDeletes->setText(m_table.showDeleted() ? QStringLiteral("Hide Deletes") : QStringLiteral("Show Deletes"));
}

void TShowGridForm1::setLayout(const QList<GridColumn>& columns)
{
    QHeaderView* header = TzGrid1->horizontalHeader();
    TzGrid1->setColumns(columns);
    // Columns dragged before a reset go back to where the layout puts them.
    for (int logical = 0; logical < header->count(); ++logical)
        if (header->visualIndex(logical) != logical)
            header->moveSection(header->visualIndex(logical), logical);
}

QList<GridColumn> TShowGridForm1::shownColumns() const
{
    const QHeaderView* header = TzGrid1->horizontalHeader();
    const QList<GridColumn>& columns = TzGrid1->tableModel()->columns();
    QList<GridColumn> shown;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        GridColumn column = columns.value(logical, GridColumn(QString()));
        column.width = header->sectionSize(logical);
        shown.append(column);
    }
    return shown;
}

void TShowGridForm1::FindBtnClick()
{
    TzGrid1->setUpdatesEnabled(false);
    const auto repaint = qScopeGuard([this] { TzGrid1->setUpdatesEnabled(true); });
    m_search->find(m_table);
}

void TShowGridForm1::CloseBtnClick()
{
    reject();
}

void TShowGridForm1::IndexClick(int order)
{
    m_table.setCurrentTag(entryOrders().value(order).tag);
    TzGrid1->refresh();
    showOrder();
}

void TShowGridForm1::HideDeletesClick()
{
    m_table.setShowDeleted(!m_table.showDeleted());
    if (m_table.recNo() > 0 && !m_table.isVisible()) {
        quint32 next = m_table.neighbour(1);
        if (next == 0)
            next = m_table.neighbour(-1);
        if (next > 0)
            m_table.go(next);
        else
            m_table.first();
    }
    TzGrid1->refresh();
    captionHideDeletes();
    showPosition();
}

void TShowGridForm1::ResetGridClick()
{
    setLayout(entryindex::defaultGridLayout());
}

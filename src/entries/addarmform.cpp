#include "entries/addarmform.h"

#include "data/dmod.h"
#include "entries/armbands.h"
#include "platform/system/gendefs.h"
#include "platform/ui/datagrid.h"
#include "platform/ui/datasource.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/guard.h"
#include "platform/ui/keypreview.h"
#include "platform/ui/navigator.h"
#include "platform/ui/waitcursor.h"
#include "platform/ui/windowposition.h"
#include "tools/helpviewer.h"

#include <QActionGroup>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace entries {

QString armbandsPreference()
{
    return GenDefs().ini().readString(QStringLiteral("Preferences"), QStringLiteral("Armbands"),
                                      QStringLiteral("InputAutomatic"));
}

int digitsPreference()
{
    return GenDefs().digits();
}

} // namespace entries

namespace {

struct IndexOrder
{
    const char* caption;
    const char* tag;
    const char* status;
};

const IndexOrder kOrders[] = {
    {"Ascending Heights", "SORTHTA", "Current Index is Ascending Heights"},
    {"Descending Heights", "SORTHTD", "Current Index is Descending Heights"},
    {"Armband #", "ARMBAND", "Current Index is Armband Number"},
    {"Gate Key", "GATEKEY", "Current Index is Gate Key"},
};

QString rightAlignedNumber(qint64 n, int width)
{
    return QString::number(n).rightJustified(width, QLatin1Char(' '));
}

} // namespace

const QStringList& TAddArmForm::columnFields()
{
    static const QStringList fields{"call_name", "first", "last",   "feo",     "pcard",  "ht_cat",
                                    "reg_ht",    "vet_ht", "spec_ht", "armband", "gatekey"};
    return fields;
}

TAddArmForm::TAddArmForm(TDmod& dmod, int trialNumber, QWidget* parent)
    : QDialog(parent), m_dmod(dmod), m_table(dmod.TzDbf1), m_trial(trialNumber)
{
    setObjectName(QStringLiteral("AddArmForm"));
    setWindowTitle(QStringLiteral("Add Armband Numbers"));
    m_armbandsPreference = entries::armbandsPreference();
    m_digits = entries::digitsPreference();
    buildWindow();
    resize(980, 620);
    keepWindowPosition(this);

    attachHandlers();
    m_table.setShowDeleted(true);
    runGuarded([this] { IndexClick(QStringLiteral("SORTHTA")); });
    AfterScroll();
}

TAddArmForm::~TAddArmForm()
{
    detachHandlers();
}

void TAddArmForm::attachHandlers()
{
    m_connections << m_table.onBeforePost([this](xbase::Table& t) { return BeforePost(t); });
    m_connections << m_table.onAfterScroll([this](xbase::Table&) { AfterScroll(); });
}

void TAddArmForm::detachHandlers()
{
    for (xbase::Table::Connection c : std::as_const(m_connections))
        m_table.detach(c);
    m_connections.clear();
}

void TAddArmForm::buildWindow()
{
    auto* menuBar = new QMenuBar(this);
    QMenu* index = menuBar->addMenu(QStringLiteral("Index"));
    auto* group = new QActionGroup(this);
    for (const IndexOrder& o : kOrders) {
        QAction* a = index->addAction(QString::fromLatin1(o.caption));
        a->setObjectName(QString::fromLatin1(o.tag));
        a->setCheckable(true);
        group->addAction(a);
        const QString tag = QString::fromLatin1(o.tag);
        connect(a, &QAction::triggered, this, guarded([this, tag] { IndexClick(tag); }));
    }
    QMenu* tasks = menuBar->addMenu(QStringLiteral("Tasks"));
    auto addTask = [&](const QString& caption, const QString& name, std::function<void()> handler) {
        QAction* a = tasks->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, guarded(std::move(handler)));
    };
    addTask(QStringLiteral("Auto Assign (Select Index First)"), QStringLiteral("AutoAssign1"), [this] { AutoAssignClick(); });
    addTask(QStringLiteral("Clear All Armband Numbers"), QStringLiteral("ClearArmbands1"), [this] { ClearArmbandsClick(); });
    addTask(QStringLiteral("Clear All Gate Keys"), QStringLiteral("ClearGateKeys1"), [this] { ClearGateKeysClick(); });
    addTask(QStringLiteral("Hide Deletes"), QStringLiteral("ShowDeletes1"), [this] { ShowDeletesClick(); });
    QAction* help = menuBar->addAction(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    connect(help, &QAction::triggered, this, guarded([this] { showHelp(QStringLiteral("gatekeys"), this); }));

    m_source = new DataSource(m_table, this);
    TzGrid1 = new DataGrid(*m_source, this);
    TzGrid1->setObjectName(QStringLiteral("TzGrid1"));
    const QStringList titles{"call_name", "first", "last", "feo", "pcard", "ht_cat",
                             "RegHt",     "VHt",   "Sht",  "armband", "gatekey"};
    QList<GridColumn> columns;
    for (int i = 0; i < columnFields().size(); ++i) {
        const bool editable = i >= columnFields().size() - 2;
        columns << GridColumn(columnFields()[i], titles[i], 0, !editable);
    }
    TzGrid1->setColumns(columns);
    TzGrid1->tableModel()->setRowColour([](const xbase::RecordView& r) { return armbands::rowColour(r); });
    TzGrid1->setEnterHandler([this](bool) { TzGrid1Enter(); });

    m_navigator = new Navigator(m_source, this);
    m_navigator->setRefreshVisible(false);

    auto* autoAssign = new QPushButton(QStringLiteral("Auto Assign"), this);
    autoAssign->setObjectName(QStringLiteral("AutoAssignButton"));
    connect(autoAssign, &QPushButton::clicked, this, guarded([this] { AutoAssignClick(); }));
    auto* doneButton = new QPushButton(QStringLiteral("&Done"), this);
    doneButton->setObjectName(QStringLiteral("DoneButton"));
    connect(doneButton, &QPushButton::clicked, this, guarded([this] { DoneClick(); }));

    auto label = [this](const QString& text) {
        auto* l = new QLabel(text, this);
        l->setWordWrap(true);
        return l;
    };
    m_preference = label(preferenceCaption());
    m_preference->setObjectName(QStringLiteral("PreferenceLabel"));

    auto* legendBox = new QGroupBox(QStringLiteral("Gate Key && Color Codes"), this);
    auto* legendLayout = new QVBoxLayout(legendBox);
    for (const armbands::HeightLetter& h : armbands::heightLetters()) {
        auto* line = new QLabel(armbands::legendLine(h), legendBox);
        line->setAutoFillBackground(true);
        QPalette p = line->palette();
        p.setColor(QPalette::Window, h.colour);
        p.setColor(QPalette::WindowText, Qt::black);
        line->setPalette(p);
        legendLayout->addWidget(line);
    }
    legendLayout->addWidget(label(QStringLiteral("A WHITE LINE indicates that NO HEIGHT IS ASSIGNED - go back and fix the record")));

    auto* side = new QVBoxLayout;
    side->addWidget(label(QStringLiteral("Editing allowed only in Armband & Gate Key Fields")));
    side->addWidget(label(QStringLiteral("Select a HEIGHT SORT ORDER under INDEX prior to clicking AUTO ASSIGN ")));
    side->addWidget(autoAssign);
    side->addWidget(m_preference);
    side->addWidget(legendBox);
    side->addWidget(label(QStringLiteral("To separate multiple dogs for the same owner, manually change the GATE KEY which is "
                                         "used for sorting the Gate Sheets to Actual Jump Heights (not Armband #)")));
    side->addWidget(label(QStringLiteral("Bear in mind that depending on the class and level, some owners may still not be "
                                         "separated when they run.")));
    side->addStretch();
    side->addWidget(doneButton);

    auto* top = new QHBoxLayout;
    auto* gridSide = new QVBoxLayout;
    gridSide->addWidget(TzGrid1, 1);
    gridSide->addWidget(m_navigator, 0, Qt::AlignLeft);
    top->addLayout(gridSide, 1);
    top->addLayout(side);

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    for (QLabel*& panel : m_status) {
        panel = new QLabel(this);
        status->addWidget(panel, 1);
    }
    m_status[0]->setText(QStringLiteral("Show # ") + rightAlignedNumber(m_trial, 5));

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(top, 1);
    layout->addWidget(status);

    // Enter as Tab outside the grid (the grid keeps Enter for itself).
    auto* keys = new KeyPreview(this);
    keys->setEnterAsTab(GenDefs().enterAsTab());
}

QAction* TAddArmForm::action(const QString& objectName) const
{
    return findChild<QAction*>(objectName);
}

QString TAddArmForm::statusText(int panel) const
{
    return m_status[panel]->text();
}

QString TAddArmForm::preferenceCaption() const
{
    return armbands::preferenceCaption(m_armbandsPreference, m_digits);
}

QStringList TAddArmForm::legend() const
{
    QStringList lines;
    for (const armbands::HeightLetter& h : armbands::heightLetters())
        lines << armbands::legendLine(h);
    return lines;
}

int TAddArmForm::column(const QString& field) const
{
    return int(columnFields().indexOf(field));
}

void TAddArmForm::IndexClick(const QString& tag)
{
    if (m_source->isEditing() && !m_table.post())
        return;
    m_table.setCurrentTag(tag);
    m_table.first();
    TzGrid1->refresh();
    for (const IndexOrder& o : kOrders) {
        if (tag.compare(QLatin1String(o.tag), Qt::CaseInsensitive) == 0) {
            if (QAction* a = action(QString::fromLatin1(o.tag)))
                a->setChecked(true);
            m_status[2]->setText(QString::fromLatin1(o.status));
        }
    }
}

void TAddArmForm::AfterScroll()
{
    m_status[1]->setText(QStringLiteral("Rec # ") + rightAlignedNumber(m_table.recNo(), 5) + QStringLiteral(" / ")
                         + rightAlignedNumber(m_table.recordCount(), 5));
}

bool TAddArmForm::BeforePost(xbase::Table& table)
{
    if (const std::optional<QString> duplicate = armbands::prepareForPost(table, m_digits)) {
        Dialogs::current().warning(*duplicate);
        return false;
    }
    return true;
}

void TAddArmForm::AutoAssignClick()
{
    const QString answer = Dialogs::current().message(QStringLiteral("Which Numbers do you want assigned?"),
                                                      MessageIcon::Question,
                                                      {QStringLiteral("Armbands"), QStringLiteral("GateKeys"),
                                                       QStringLiteral("Both"), QStringLiteral("Cancel")});
    armbands::Assign what;
    if (answer == QLatin1String("Armbands"))
        what = armbands::Assign::Armbands;
    else if (answer == QLatin1String("GateKeys"))
        what = armbands::Assign::GateKeys;
    else if (answer == QLatin1String("Both"))
        what = armbands::Assign::Both;
    else
        return;
    if (m_source->isEditing() && !m_table.post())
        return;

    armbands::AssignResult result;
    {
        WaitCursor wait;
        m_table.disableControls();
        try {
            result = armbands::autoAssign(m_table, what, m_digits);
        } catch (...) {
            m_table.enableControls();
            TzGrid1->refresh();
            throw;
        }
        m_table.enableControls();
        TzGrid1->refresh();
    }
    AfterScroll();
    QList<quint32> missing = result.unnumbered;
    for (quint32 rec : std::as_const(result.refused))
        if (!missing.contains(rec))
            missing << rec;
    if (!missing.isEmpty()) {
        std::sort(missing.begin(), missing.end());
        QStringList recs;
        for (quint32 rec : std::as_const(missing))
            recs << QString::number(rec);
        Dialogs::current().warning(QStringLiteral("These records were not given an Armband # or Gate Key:;Rec # ")
                                   + recs.join(QStringLiteral(", "))
                                   + QStringLiteral(";;Check their heights, or number them by hand."));
    }
}

void TAddArmForm::ClearArmbandsClick()
{
    if (m_source->isEditing() && !m_table.post())
        return;
    WaitCursor wait;
    m_table.disableControls();
    armbands::clearArmbands(m_table);
    m_table.enableControls();
    TzGrid1->refresh();
    AfterScroll();
}

void TAddArmForm::ClearGateKeysClick()
{
    if (m_source->isEditing() && !m_table.post())
        return;
    WaitCursor wait;
    m_table.disableControls();
    armbands::clearGateKeys(m_table);
    m_table.enableControls();
    TzGrid1->refresh();
    AfterScroll();
}

void TAddArmForm::ShowDeletesClick()
{
    if (m_source->isEditing() && !m_table.post())
        return;
    const bool show = !m_table.showDeleted();
    m_table.setShowDeleted(show);
    if (m_table.recNo() == 0 || !m_table.isVisible())
        m_table.first();
    TzGrid1->refresh();
    action(QStringLiteral("ShowDeletes1"))->setText(show ? QStringLiteral("Hide Deletes") : QStringLiteral("Show Deletes"));
    AfterScroll();
}

void TAddArmForm::TzGrid1Enter()
{
    const QModelIndex cell = TzGrid1->currentIndex();
    if (!cell.isValid())
        return;
    const int armband = column(QStringLiteral("armband"));
    const int gateKey = column(QStringLiteral("gatekey"));
    if (cell.column() == armband) {
        TzGrid1->moveToCell(cell.row(), gateKey);
    } else if (cell.column() == gateKey) {
        if (cell.row() + 1 >= TzGrid1->tableModel()->rowCount()) {
            // At the end: the record is written where it is.
            if (m_source->isEditing())
                m_table.post();
            QApplication::beep();
            return;
        }
        // The write may move the record in the order; go to the row after it.
        const quint32 rec = TzGrid1->tableModel()->recNoAt(cell.row());
        if (m_source->isEditing() && !m_table.post())
            return;
        const int row = TzGrid1->tableModel()->rowOf(rec);
        if (row + 1 < TzGrid1->tableModel()->rowCount())
            TzGrid1->moveToCell(row + 1, gateKey);
        else
            QApplication::beep();
    } else {
        TzGrid1->moveToCell(cell.row(), cell.column() + 1);
    }
}

bool TAddArmForm::DoneClick()
{
    if (m_source->isEditing()) {
        m_source->updateRecord();
        if (!m_table.post())
            return false;
    }
    accept();
    return true;
}

void TAddArmForm::done(int result)
{
    // Closing by the title bar or Esc: an edit the table refuses is dropped, not left half made.
    runGuarded([this] {
        if (m_source->isEditing() && !m_table.post())
            m_table.cancel();
    });
    detachHandlers();
    QDialog::done(result);
}

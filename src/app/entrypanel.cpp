#include "app/entrypanel.h"

#include "data/dmod.h"
#include "entries/armbands.h"
#include "platform/system/strings.h"
#include "platform/system/gendefs.h"
#include "platform/ui/boundcheckbox.h"
#include "platform/ui/boundcombobox.h"
#include "platform/ui/bounddateedit.h"
#include "platform/ui/boundlineedit.h"
#include "platform/ui/datasource.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/guard.h"
#include "platform/ui/keypreview.h"
#include "platform/ui/navigator.h"
#include "platform/ui/waitcursor.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCompleter>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using entry::Category;
using xbase::Table;

namespace {

const int kRegularHeights[] = {4, 8, 12, 16, 20, 24};
const int kSecondHeights[] = {4, 8, 12, 16, 20};

// Unchecks every radio of a group (auto-exclusive radios refuse to be unchecked one by one).
void uncheckAll(const QList<QRadioButton*>& radios)
{
    for (QRadioButton* r : radios) {
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
    }
}

// Focus that the user moved, as opposed to a window coming back to the front.
bool userFocus(const QEvent* event)
{
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    return label;
}

} // namespace

TEntryPanel::TEntryPanel(TDmod* dmod, QWidget* parent)
    : QWidget(parent), m_dmod(dmod), m_handlers(dmod->TzDbf1)
{
    setObjectName(QStringLiteral("EntryPanel"));
    DataSource1 = new DataSource(dmod->TzDbf1, this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    DataSource1->setMarkDeleted(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(4);
    auto* bar = new QHBoxLayout;
    buildToolBar(bar);
    layout->addLayout(bar);

    auto* body = new QHBoxLayout;
    body->addWidget(buildEntryFields(), 0);
    auto* right = new QVBoxLayout;
    right->addWidget(buildDayPages(), 1);
    right->addWidget(buildHeights(), 0);
    body->addLayout(right, 1);
    layout->addLayout(body, 1);
    setTabOrders();

    // The three handlers a trial attaches (and other windows switch off).
    m_handlers.afterScroll([this](Table&) { DisplayRecord(); });
    m_handlers.beforePost([this](Table&) { return BeforePostCheck(); });
    m_handlers.stateChange([this](Table&) { SwitchButtons(); });
    m_handlers.onResume([this] {
        DisplayRecord();
        SwitchButtons();
    });

    // Fill the breed pick list once (not deleted, not blank, in BREEDNAME order).
    runGuarded([this] {
        // AGX's breed file is copied in by the secretary; until then the list stays empty.
        if (!m_dmod->Breeds.isOpen() && !QFileInfo::exists(m_dmod->TablePath(data::TableId::Breeds)))
            return;
        m_dmod->OpenBreeds();
        Table& breeds = m_dmod->Breeds;
        breeds.setCurrentTag(QStringLiteral("BREEDNAME"));
        QStringList names;
        for (bool more = breeds.first(); more && !breeds.eof(); more = breeds.next()) {
            const QString name = breeds.trimmed("breed_name");
            if (!breeds.isDeleted() && !name.isEmpty())
                names << name;
        }
        breeds.first();
        BreedPickList->addItems(names);
    });

    setIdFieldEnabled(false);
    trialClosed();
}

TEntryPanel::~TEntryPanel()
{
    m_handlers.detach();
}

// ---------------------------------------------------------------------------------------
// Building the form

void TEntryPanel::buildToolBar(QBoxLayout* into)
{
    const auto tool = [this, into](QToolButton*& b, const QString& name, const QString& text, const QString& hint) {
        b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(text);
        b->setToolTip(hint);
        b->setStatusTip(hint);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setMinimumWidth(64);
        // Clicking takes the focus, as a push button does: leaving the ID field for
        // Save must run the ID check (and leaving it for Cancel must not).
        b->setFocusPolicy(Qt::ClickFocus);
        into->addWidget(b);
    };
    tool(AddBtn, QStringLiteral("AddBtn"), QStringLiteral("&Add"), QStringLiteral("Add a new Entry"));
    tool(EditBtn, QStringLiteral("EditBtn"), QStringLiteral("&Edit"), QStringLiteral("Edit the current Entry"));
    tool(DeleteBtn, QStringLiteral("DeleteBtn"), QStringLiteral("Delete"), QStringLiteral("Toggle Delete/UnDelete"));
    tool(FindBtn, QStringLiteral("FindBtn"), QStringLiteral("&Find"), QStringLiteral("Find by the current index"));
    tool(SaveBtn, QStringLiteral("SaveBtn"), QStringLiteral("&Save"), QStringLiteral("Save the current data"));
    tool(CancelBtn, QStringLiteral("CancelBtn"), QStringLiteral("&Cancel"), QStringLiteral("Cancel the current edits"));
    DBNavigator1 = new Navigator(DataSource1, this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    into->addSpacing(12);
    into->addWidget(DBNavigator1);
    DeletedLabel = new QLabel(this);
    DeletedLabel->setObjectName(QStringLiteral("DeletedLabel"));
    QFont bold = DeletedLabel->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    DeletedLabel->setFont(bold);
    DeletedLabel->setStyleSheet(QStringLiteral("color: #c00000;"));
    into->addSpacing(12);
    into->addWidget(DeletedLabel);
    into->addStretch(1);

    connect(AddBtn, &QToolButton::clicked, this, guarded([this] { AddBtnClick(); }));
    connect(EditBtn, &QToolButton::clicked, this, guarded([this] { EditBtnClick(); }));
    connect(DeleteBtn, &QToolButton::clicked, this, guarded([this] { DeleteBtnClick(); }));
    connect(FindBtn, &QToolButton::clicked, this, [this] { emit findRequested(); });
    connect(SaveBtn, &QToolButton::clicked, this, guarded([this] { SaveBtnClick(); }));
    connect(CancelBtn, &QToolButton::clicked, this, guarded([this] { CancelBtnClick(); }));
}

BoundLineEdit* TEntryPanel::edit(const QString& field, const QString& objectName, bool readOnly)
{
    auto* e = new BoundLineEdit(DataSource1, field, this);
    e->setObjectName(objectName);
    e->setReadOnly(readOnly);
    return e;
}

QWidget* TEntryPanel::buildEntryFields()
{
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    int row = 0;
    const auto addRow = [&](const QString& text, QWidget* w, QWidget* extra = nullptr) {
        grid->addWidget(caption(text, box), row, 0);
        if (extra) {
            auto* line = new QHBoxLayout;
            line->addWidget(w, 1);
            line->addWidget(extra);
            grid->addLayout(line, row, 1);
        } else {
            grid->addWidget(w, row, 1);
        }
        ++row;
    };

    TzEdit1 = edit(QStringLiteral("mem_dog_id"), QStringLiteral("TzEdit1"));
    TzEdit1->setMinimumWidth(90);
    TzEdit1->setMaximumWidth(110);
    auto* hint = caption(QStringLiteral("AGX ID#  is   nnnnn-nn  "), box);
    hint->setObjectName(QStringLiteral("IdHintLabel"));
    addRow(QStringLiteral("AGX ID #"), TzEdit1);
    LookUpBtn = new QPushButton(QStringLiteral("&Look Up ID"), box);
    LookUpBtn->setObjectName(QStringLiteral("LookUpBtn"));
    LookUpBtn->setToolTip(QStringLiteral("Flip to Members if problem with ID #"));
    connect(LookUpBtn, &QPushButton::clicked, this, [this] { emit lookUpIdRequested(); });
    {
        auto* line = new QHBoxLayout;
        line->addWidget(LookUpBtn);
        line->addWidget(hint, 1);
        grid->addLayout(line, row++, 1);
    }

    QList<QWidget*> order{TzEdit1};
    auto* callName = edit(QStringLiteral("call_name"), QStringLiteral("CallNameEdit"), true);
    addRow(QStringLiteral("Dog's Call Name"), callName);
    BreedEdit = edit(QStringLiteral("breed"), QStringLiteral("BreedEdit"), true);
    BreedPickList = new BoundComboBox(DataSource1, QStringLiteral("breed"), this);
    BreedPickList->setObjectName(QStringLiteral("BreedPickList"));
    BreedPickList->setEditable(true);
    BreedPickList->completer()->setCompletionMode(QCompleter::InlineCompletion);
    BreedPickList->setMaxVisibleItems(20);
    BreedStack = new QStackedWidget(box);
    BreedStack->addWidget(BreedEdit);
    BreedStack->addWidget(BreedPickList);
    BreedStack->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    BreedStack->setFixedHeight(BreedPickList->sizeHint().height());
    addRow(QStringLiteral("Breed"), BreedStack);
    auto* bdate = new BoundDateEdit(DataSource1, QStringLiteral("bdate"), this);
    bdate->setObjectName(QStringLiteral("BirthdateEdit"));
    bdate->setReadOnly(true);
    bdate->setMinimumWidth(112);
    bdate->setMaximumWidth(120);
    auto* pcard = edit(QStringLiteral("pcard"), QStringLiteral("PCardEdit"), true);
    pcard->setMaximumWidth(50);
    grid->addWidget(caption(QStringLiteral("Birthdate"), box), row, 0);
    grid->addWidget(bdate, row++, 1, Qt::AlignLeft);
    grid->addWidget(caption(QStringLiteral("P-Card Height"), box), row, 0);
    grid->addWidget(pcard, row++, 1, Qt::AlignLeft);
    order << callName << BreedEdit << BreedPickList << bdate << pcard;

    auto* owner = new QGroupBox(QStringLiteral("Owner Info"), box);
    auto* og = new QGridLayout(owner);
    og->setVerticalSpacing(2);
    og->setContentsMargins(6, 4, 6, 4);
    int orow = 0;
    const auto ownerRow = [&](const QString& text, QWidget* w) {
        og->addWidget(caption(text, owner), orow, 0);
        og->addWidget(w, orow++, 1);
        order << w;
    };
    FirstEdit = edit(QStringLiteral("first"), QStringLiteral("FirstNameEdit"), true);
    LastEdit = edit(QStringLiteral("last"), QStringLiteral("LastNameEdit"), true);
    ownerRow(QStringLiteral("First Name"), FirstEdit);
    ownerRow(QStringLiteral("Last Name"), LastEdit);
    AddressEdit = edit(QStringLiteral("address"), QStringLiteral("AddressEdit"));
    ownerRow(QStringLiteral("Address"), AddressEdit);
    auto* city = edit(QStringLiteral("city"), QStringLiteral("CityEdit"));
    ownerRow(QStringLiteral("City"), city);
    TzEdit10 = edit(QStringLiteral("state"), QStringLiteral("TzEdit10"));
    TzEdit10->setUpperCase(true);
    auto* zip = edit(QStringLiteral("zip"), QStringLiteral("ZipEdit"));
    zip->setUpperCase(true);
    {
        auto* line = new QHBoxLayout;
        line->addWidget(TzEdit10, 1);
        line->addWidget(caption(QStringLiteral("Zip"), owner));
        line->addWidget(zip, 1);
        og->addWidget(caption(QStringLiteral("State"), owner), orow, 0);
        og->addLayout(line, orow++, 1);
        order << TzEdit10 << zip;
    }
    auto* country = edit(QStringLiteral("country"), QStringLiteral("CountryEdit"));
    ownerRow(QStringLiteral("Country"), country);
    auto* phone = edit(QStringLiteral("phone"), QStringLiteral("PhoneEdit"));
    phone->setEditMask(QStringLiteral("999-999-9999;1; "));
    ownerRow(QStringLiteral("Phone"), phone);
    auto* email = edit(QStringLiteral("email"), QStringLiteral("EmailEdit"));
    ownerRow(QStringLiteral("Email"), email);
    grid->addWidget(owner, row++, 0, 1, 2);
    m_memberFields = {AddressEdit, city, TzEdit10, zip, country, phone, email};

    auto* handler = edit(QStringLiteral("handler"), QStringLiteral("HandlerEdit"));
    addRow(QStringLiteral("Handler"), handler);
    grid->addWidget(caption(QStringLiteral("(If different than owner)"), box), row++, 1);
    ArmbandEdit = edit(QStringLiteral("armband"), QStringLiteral("ArmbandEdit"));
    ArmbandEdit->setAlignment(Qt::AlignRight);
    ArmbandEdit->setMaximumWidth(80);
    auto* gatekey = edit(QStringLiteral("gatekey"), QStringLiteral("GateKeyEdit"));
    gatekey->setMaxLength(4);
    gatekey->setMaximumWidth(60);
    {
        auto* line = new QHBoxLayout;
        line->addWidget(ArmbandEdit);
        line->addSpacing(8);
        line->addWidget(caption(QStringLiteral("Gate Key"), box));
        line->addWidget(gatekey);
        line->addStretch();
        grid->addWidget(caption(QStringLiteral("Armband #"), box), row, 0);
        grid->addLayout(line, row++, 1);
    }
    order << handler << ArmbandEdit;
    grid->setRowStretch(row, 1);
    box->setMinimumWidth(320);
    box->setMaximumWidth(380);

    // The rest of the tab order is completed in setTabOrders().
    m_tabOrder = order;
    m_tabOrder << gatekey;   // placeholder position fixed later

    for (QWidget* w : {static_cast<QWidget*>(FirstEdit), static_cast<QWidget*>(LastEdit)})
        w->installEventFilter(this);
    for (QWidget* w : std::as_const(m_memberFields))
        w->installEventFilter(this);
    connect(TzEdit10, &BoundLineEdit::exited, this, guarded([this] { TzEdit10Exit(); }));
    connect(TzEdit1, &BoundLineEdit::exited, this, guarded([this] {
        if (m_idExit && DataSource1->isEditing())
            m_idExit();
    }));
    connect(ArmbandEdit, &BoundLineEdit::exited, this, guarded([this] {
        if (m_armbandExit && DataSource1->isEditing())
            m_armbandExit();
    }));
    connect(BreedPickList, &BoundComboBox::exited, this, [this] {
        if (rightTrimmed(BreedPickList->currentText()) != m_breedLoaded)
            m_breedChanged = true;
    });
    return box;
}

QWidget* TEntryPanel::buildDayPages()
{
    auto* box = new QWidget(this);
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QTabWidget(box);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    for (int d = 1; d <= entry::kDays; ++d)
        PageControl1->addTab(buildDayPage(d), QStringLiteral("Day %1 - Count").arg(d));
    v->addWidget(PageControl1, 1);
    auto* note = caption(QStringLiteral("DOS is for Day Of Show Entries"), box);
    note->setObjectName(QStringLiteral("DosNoteLabel"));
    v->addWidget(note);
    return box;
}

QWidget* TEntryPanel::buildDayPage(int day)
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet%1").arg(day));
    // A level that is down must be seen at a glance.
    page->setStyleSheet(QStringLiteral("QToolButton:checked { background-color: #1e4fa0; color: white;"
                                       " font-weight: bold; border: 1px solid #0b2a60; border-radius: 3px; }"));
    auto* grid = new QGridLayout(page);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    grid->addWidget(caption(QStringLiteral("Class Name"), page), 0, 0);
    grid->addWidget(caption(QStringLiteral("Run #"), page), 0, 1, 1, 2, Qt::AlignHCenter);
    grid->addWidget(caption(QStringLiteral("Click Level Entered"), page), 0, 3, 1, entry::kLevels, Qt::AlignHCenter);
    grid->addWidget(caption(QStringLiteral("DOS"), page), 0, 3 + entry::kLevels, Qt::AlignHCenter);
    grid->addWidget(caption(QStringLiteral("1"), page), 1, 1, Qt::AlignHCenter);
    grid->addWidget(caption(QStringLiteral("2"), page), 1, 2, Qt::AlignHCenter);

    for (int r = 1; r <= entry::kClasses; ++r) {
        const int gridRow = r + 1;
        grid->addWidget(caption(entry::entryClasses().at(r - 1).caption, page), gridRow, 0);
        for (int k = 1; k <= entry::kRunBoxes; ++k) {
            auto* box = new BoundCheckBox(QString(), DataSource1, entry::runField(day, r, k), page);
            box->setObjectName(QStringLiteral("TzCheckBox%1").arg(entry::checkBoxNumber(day, r, k)));
            m_box[day - 1][r - 1][k - 1] = box;
            const int column = k == 3 ? 3 + entry::kLevels : k;
            grid->addWidget(box, gridRow, column, Qt::AlignHCenter);
            if (k != 3)   // the DOS boxes have no handler
                connect(box, &QCheckBox::clicked, this, guarded([this, box] { TzCheckBox1Click(box); }));
        }
        for (int p = 1; p <= entry::kLevels; ++p) {
            auto* b = new QToolButton(page);
            b->setObjectName(QStringLiteral("SpeedButton%1").arg(entry::speedButtonNumber(day, r, p)));
            b->setText(QString(entry::levelAt(p)));
            b->setCheckable(true);
            b->setFixedSize(26, 22);
            b->setFocusPolicy(Qt::NoFocus);   // speed buttons take no focus
            b->setProperty("day", day);
            b->setProperty("row", r);
            b->setProperty("position", p);
            m_speed[day - 1][r - 1][p - 1] = b;
            grid->addWidget(b, gridRow, 2 + p);
            connect(b, &QToolButton::clicked, this, guarded([this, b] { SpeedButtonClick(b); }));
        }
    }
    grid->setColumnStretch(3 + entry::kLevels + 1, 1);
    grid->setRowStretch(entry::kClasses + 2, 1);
    return page;
}

QWidget* TEntryPanel::buildHeights()
{
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);

    const auto radioGroup = [this](const QString& title, const int* heights, int count, const QString& prefix,
                                   QList<QRadioButton*>& into) {
        auto* group = new QGroupBox(title, this);
        auto* g = new QGridLayout(group);
        g->setContentsMargins(6, 2, 6, 2);
        g->setVerticalSpacing(0);
        for (int i = 0; i < count; ++i) {
            auto* r = new QRadioButton(QString::number(heights[i]), group);
            r->setObjectName(prefix + QString::number(heights[i]));
            r->setProperty("inches", heights[i]);
            r->installEventFilter(this);
            g->addWidget(r, i % 3, i / 3);
            into << r;
        }
        return group;
    };

    auto* regular = radioGroup(QStringLiteral(" Regular "), kRegularHeights, 6, QStringLiteral("RegularHt"), m_regular);
    regular->setObjectName(QStringLiteral("RegularGroup"));
    auto* regLabels = new QVBoxLayout;
    regLabels->addWidget(caption(QStringLiteral("Jump Height"), box));
    regLabels->addWidget(caption(QStringLiteral("or FEO"), box));
    regLabels->addStretch();
    auto* second = radioGroup(QStringLiteral(" Veteran /  "), kSecondHeights, 5, QStringLiteral("SecondHt"), m_second);
    second->setObjectName(QStringLiteral("SecondGroup"));
    auto* secLabels = new QVBoxLayout;
    secLabels->setSpacing(0);
    secLabels->addWidget(caption(QStringLiteral("Enthusiast/"), box));
    secLabels->addWidget(caption(QStringLiteral("Specialist"), box));
    secLabels->addWidget(caption(QStringLiteral("Jump Height"), box));
    secLabels->addStretch();

    auto* category = new QGroupBox(QStringLiteral("Height Category  "), box);
    category->setObjectName(QStringLiteral("CategoryGroup"));
    auto* cg = new QGridLayout(category);
    cg->setContentsMargins(6, 2, 6, 2);
    cg->setVerticalSpacing(0);
    const QStringList names{QStringLiteral("Regular"), QStringLiteral("Veteran"), QStringLiteral("Enthusiast"),
                            QStringLiteral("Specialist")};
    for (int i = 0; i < names.size(); ++i) {
        auto* r = new QRadioButton(names[i], category);
        r->setObjectName(QStringLiteral("Category") + names[i]);
        cg->addWidget(r, i % 2, i / 2);
        m_categories << r;
        const auto cat = Category(i);
        connect(r, &QRadioButton::clicked, this, guarded([this, cat] { CategoryClick(cat); }));
        r->installEventFilter(this);
    }

    auto* status = new QGroupBox(QStringLiteral("Special Status  "), box);
    auto* sg = new QVBoxLayout(status);
    sg->setContentsMargins(6, 2, 6, 2);
    sg->setSpacing(0);
    auto* handicap = new BoundCheckBox(QStringLiteral("Handicapped"), DataSource1, QStringLiteral("handicap"), status);
    handicap->setObjectName(QStringLiteral("HandicapBox"));
    auto* feo = new BoundCheckBox(QStringLiteral("For Exhibition Only"), DataSource1, QStringLiteral("feo"), status);
    feo->setObjectName(QStringLiteral("FeoBox"));
    sg->addWidget(handicap);
    sg->addWidget(feo);

    auto* worker = new BoundCheckBox(QStringLiteral("Worker"), DataSource1, QStringLiteral("volunteer"), box);
    worker->setObjectName(QStringLiteral("WorkerBox"));
    auto* emailSent = new BoundCheckBox(QString(), DataSource1, QStringLiteral("emailsent"), box);
    emailSent->setObjectName(QStringLiteral("EmailSentBox"));
    SendBtn = new QPushButton(QStringLiteral("&Send"), box);
    SendBtn->setObjectName(QStringLiteral("SendBtn"));
    connect(SendBtn, &QPushButton::clicked, this, [this] { emit sendRequested(); });
    auto* notes = edit(QStringLiteral("notes"), QStringLiteral("NotesEdit"));
    auto* printit = new BoundCheckBox(QStringLiteral("Print On Exh Slips"), DataSource1, QStringLiteral("printit"), box);
    printit->setObjectName(QStringLiteral("PrintItBox"));

    auto* top = new QHBoxLayout;
    top->addLayout(regLabels);
    top->addWidget(regular);
    top->addLayout(secLabels);
    top->addWidget(second);
    top->addWidget(category);
    top->addStretch();
    grid->addLayout(top, 0, 0, 1, 6);

    auto* volunteer = new QVBoxLayout;
    volunteer->setSpacing(0);
    volunteer->addWidget(caption(QStringLiteral("Volunteer"), box));
    volunteer->addWidget(worker);
    auto* conf = new QVBoxLayout;
    conf->setSpacing(0);
    conf->addWidget(caption(QStringLiteral("Email Conf Sent"), box));
    auto* confLine = new QHBoxLayout;
    confLine->addWidget(emailSent);
    confLine->addWidget(caption(QStringLiteral("Email Conf"), box));
    confLine->addWidget(SendBtn);
    conf->addLayout(confLine);
    auto* notesBox = new QVBoxLayout;
    notesBox->setSpacing(0);
    notesBox->addWidget(caption(QStringLiteral("Special Notes"), box));
    notesBox->addWidget(notes);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status);
    bottom->addLayout(volunteer);
    bottom->addLayout(conf);
    auto* notesLine = new QVBoxLayout;
    notesLine->addLayout(notesBox);
    notesLine->addWidget(printit);
    bottom->addLayout(notesLine, 1);
    grid->addLayout(bottom, 1, 0, 1, 6);

    // Tab order after the day pages: heights, Look Up ID, special status, category,
    // worker, confirmation sent, notes, print on slips, gate key, Send.
    QWidget* gatekey = m_tabOrder.takeLast();
    m_tabOrder << PageControl1;
    for (QRadioButton* r : std::as_const(m_regular))
        m_tabOrder << r;
    for (QRadioButton* r : std::as_const(m_second))
        m_tabOrder << r;
    m_tabOrder << LookUpBtn << handicap << feo;
    for (QRadioButton* r : std::as_const(m_categories))
        m_tabOrder << r;
    m_tabOrder << worker << emailSent << notes << printit << gatekey << SendBtn;
    return box;
}

void TEntryPanel::setTabOrders()
{
    for (int i = 1; i < m_tabOrder.size(); ++i)
        QWidget::setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
}

// ---------------------------------------------------------------------------------------
// Trial

bool TEntryPanel::setupForTrial(int trialNumber)
{
    m_dmod->OpenShowDates();
    const std::optional<entry::TrialDays> days = entry::findTrialDays(m_dmod->ShowDates, trialNumber);
    if (!days)
        return false;
    m_trial = *days;
    m_trialOpen = true;
    readPreferences();
    SetupDayPages();
    CountRunsPerDay();
    m_handlers.attach();
    DataSource1->setEnabled(true);
    setIdFieldEnabled(false);
    DisplayRecord();
    SwitchButtons();
    return true;
}

void TEntryPanel::trialClosed()
{
    m_handlers.detach();
    m_trialOpen = false;
    PageControl1->setVisible(false);
    for (int d = 0; d < entry::kDays; ++d) {
        PageControl1->setTabVisible(d, false);
        for (int r = 0; r < entry::kClasses; ++r) {
            for (QToolButton* b : m_speed[d][r]) {
                b->setEnabled(false);
                b->setChecked(false);
            }
            for (BoundCheckBox* c : m_box[d][r])
                c->setEnabled(false);
        }
    }
    hideBreedPickList();
    setIdFieldEnabled(false);
    clearMarks();
    showDeleted(false);
    SwitchButtons();
}

void TEntryPanel::readPreferences()
{
    const GenDefs defs;
    m_enterAsTab = defs.enterAsTab();
    m_pgdnAsSave = defs.pgdnAsSave();
    m_digits = defs.digits();

    // The keys are seen by the whole window the panel sits in.
    QWidget* top = window();
    if (m_keys && m_keys->parent() != top)
        delete m_keys;
    if (!m_keys) {
        m_keys = new KeyPreview(top);
        connect(m_keys, &KeyPreview::saveRequested, this, [this] { SaveBtn->click(); });
        connect(m_keys, &KeyPreview::cancelRequested, this, [this] { CancelBtn->click(); });
    }
    m_keys->setEnterAsTab(m_enterAsTab);
    m_keys->setPageKeysSave(m_pgdnAsSave);
    m_keys->setEscapeCancels(m_pgdnAsSave);
    m_keys->setArrows(m_pgdnAsSave ? KeyPreview::Arrows::UpNextDownPrevious : KeyPreview::Arrows::Untouched);
    m_keys->setPassKeysOn(true);   // the focused control gets the keys as well
}

void TEntryPanel::FormActivate()
{
    // A message box closing in the middle of an entry activates the window too: the entry
    // being typed keeps its ID field and its focus.
    if (DataSource1->isEditing())
        return;
    setIdFieldEnabled(false);
    if (!m_trialOpen || !m_dmod->TzDbf1.isOpen())
        return;
    if (m_dmod->TzDbf1.isEmpty())
        AddBtn->setFocus();
    else
        FindBtn->setFocus();
}

// ---------------------------------------------------------------------------------------
// Day pages and counts

void TEntryPanel::SetupDayPages()
{
    PageControl1->setVisible(false);
    for (int d = 0; d < entry::kDays; ++d) {
        PageControl1->setTabVisible(d, false);
        for (int r = 0; r < entry::kClasses; ++r) {
            for (QToolButton* b : m_speed[d][r])
                b->setEnabled(false);
            for (BoundCheckBox* c : m_box[d][r])
                c->setEnabled(false);
        }
    }
    for (int d = 1; d <= m_trial.numDays; ++d) {
        const entry::DayOffer& offer = m_trial.days[d - 1];
        PageControl1->setTabText(d - 1, entry::dayTabCaption(m_trial.showDate, d, m_runCounts[d - 1]));
        PageControl1->setTabVisible(d - 1, true);
        for (int p = 1; p <= entry::kLevels; ++p)
            if (offer.levels[p - 1])
                for (int r = 1; r <= entry::kClasses; ++r)
                    m_speed[d - 1][r - 1][p - 1]->setEnabled(true);
        for (int r = 1; r <= entry::kClasses; ++r) {
            BoundCheckBox* const* boxes = m_box[d - 1][r - 1];
            switch (offer.runs[r - 1]) {
            case 0:
                for (QToolButton* b : m_speed[d - 1][r - 1])
                    b->setEnabled(false);
                break;
            case 1:
                boxes[0]->setEnabled(true);
                boxes[2]->setEnabled(true);
                break;
            case 2:
                for (int k = 0; k < entry::kRunBoxes; ++k)
                    boxes[k]->setEnabled(true);
                break;
            default:
                break;
            }
        }
    }
    if (m_trial.numDays > 0)
        PageControl1->setCurrentIndex(0);
    PageControl1->setVisible(true);
}

void TEntryPanel::CountRunsPerDay()
{
    m_dmod->OpenShowDates();
    if (const auto days = entry::findTrialDays(m_dmod->ShowDates, m_trial.trialNumber)) {
        m_trial.numDays = days->numDays;
        m_trial.showDate = days->showDate;
    }
    m_runCounts = entry::countRunsPerDay(m_dmod->TzDbf1, m_trial.numDays);
    for (int d = 1; d <= m_trial.numDays; ++d)
        PageControl1->setTabText(d - 1, entry::dayTabCaption(m_trial.showDate, d, m_runCounts[d - 1]));
    letWindowsRepaint();
}

// ---------------------------------------------------------------------------------------
// Display

void TEntryPanel::showDeleted(bool deleted)
{
    DeletedLabel->setText(deleted ? QStringLiteral("DELETED") : QString());
    DeleteBtn->setText(deleted ? QStringLiteral("UnDelete") : QStringLiteral("Delete"));
    for (FieldLink* link : DataSource1->links())
        setDeletedLook(link->control(), deleted);
}

QString TEntryPanel::deletedText() const
{
    return DeletedLabel->text();
}

void TEntryPanel::setRecordStatus(const QString& text)
{
    m_recordStatus = text;
    emit statusText(2, text);
}

void TEntryPanel::DisplayRecord()
{
    const Table& t = m_dmod->TzDbf1;
    if (!t.isOpen())
        return;
    const bool onRecord = t.recNo() > 0;
    showDeleted(onRecord && t.isDeleted());
    setRecordStatus(entry::text::recordStatus(t.recNo(), t.recordCount()));
    raiseAllLevelButtons();
    clearHeightRadios();
    clearMarks();

    m_breedLoaded = rightTrimmed(t.text("breed"));
    m_idLoaded = rightTrimmed(t.text("mem_dog_id"));
    m_regHtLoaded = entry::heightValue(t.text("reg_ht"));
    checkRegular(m_regHtLoaded);

    const QString cat = t.text("ht_cat");
    const std::optional<Category> category = cat.isEmpty() ? std::nullopt : entry::categoryFromLetter(cat.at(0));
    if (category) {
        m_category = entry::categoryLetter(*category);
        m_categories[int(*category)]->setChecked(true);
        switch (*category) {
        case Category::Regular: break;
        case Category::Specialist:
            m_specMark = true;
            if (const int h = entry::heightValue(t.text("spec_ht")); h <= 16)
                checkSecond(h);
            break;
        case Category::Enthusiast:
            m_entMark = true;
            checkSecond(entry::heightValue(t.text("vet_ht")));
            break;
        case Category::Veteran:
            m_vetMark = true;
            checkSecond(entry::heightValue(t.text("vet_ht")));
            break;
        }
    } else {
        // A record without a category shows none (not the category of the record before).
        m_category = QChar();
        uncheckAll(m_categories);
    }
    pushButtonsFromRecord();
}

void TEntryPanel::pushButtonsFromRecord()
{
    const Table& t = m_dmod->TzDbf1;
    if (!t.isOpen() || (t.recNo() == 0 && t.state() != Table::State::Insert))
        return;
    for (int d = 1; d <= m_trial.numDays; ++d)
        for (int r = 1; r <= entry::kClasses; ++r) {
            const QString level = t.text(entry::levelField(d, r));
            const int p = level.isEmpty() ? 0 : entry::levelPosition(level.at(0));
            if (p > 0)
                m_speed[d - 1][r - 1][p - 1]->setChecked(true);
        }
}

void TEntryPanel::raiseRow(int day, int row)
{
    for (QToolButton* b : m_speed[day - 1][row - 1])
        b->setChecked(false);
}

void TEntryPanel::raiseAllLevelButtons()
{
    for (int d = 1; d <= entry::kDays; ++d)
        for (int r = 1; r <= entry::kClasses; ++r)
            raiseRow(d, r);
}

void TEntryPanel::clearHeightRadios()
{
    uncheckAll(m_regular);
    uncheckAll(m_second);
}

void TEntryPanel::clearMarks()
{
    m_vetMark = m_entMark = m_specMark = false;
    m_breedChanged = false;
    m_memberData = false;
}

int TEntryPanel::checkedRegular() const
{
    for (QRadioButton* r : m_regular)
        if (r->isChecked())
            return r->property("inches").toInt();
    return 0;
}

int TEntryPanel::checkedSecond() const
{
    for (QRadioButton* r : m_second)
        if (r->isChecked())
            return r->property("inches").toInt();
    return 0;
}

void TEntryPanel::checkRegular(int inches)
{
    if (QRadioButton* r = regularRadio(inches))
        r->setChecked(true);
}

void TEntryPanel::checkSecond(int inches)
{
    if (QRadioButton* r = secondRadio(inches))
        r->setChecked(true);
}

// ---------------------------------------------------------------------------------------
// Level buttons and run boxes

bool TEntryPanel::ensureEditing()
{
    if (DataSource1->isEditing())
        return true;
    if (DataSource1->edit())
        return true;
    QApplication::beep();
    return false;
}

void TEntryPanel::SpeedButtonClick(QToolButton* button)
{
    const int day = button->property("day").toInt();
    const int row = button->property("row").toInt();
    const int position = button->property("position").toInt();
    if (!ensureEditing()) {
        // No record to hold the level: show the record's levels again.
        raiseRow(day, row);
        pushButtonsFromRecord();
        return;
    }
    Table& t = m_dmod->TzDbf1;
    const QString levelField = entry::levelField(day, row);
    t.setBlank(levelField);
    for (QToolButton* b : m_speed[day - 1][row - 1])
        b->setChecked(b == button);
    t.setText(levelField, QString(entry::levelAt(position)));

    const QString run1 = entry::runField(day, row, 1);
    const QString run2 = entry::runField(day, row, 2);
    if (t.toBool(run1) || t.toBool(run2))
        return;
    if (!runBox(day, row, 2)->isEnabled()) {
        t.setBool(run1, true);
        return;
    }
    MessageRequest ask;
    ask.icon = MessageIcon::Question;
    ask.text = entry::text::levelQuestion();
    ask.buttons = {QStringLiteral("Both"), QStringLiteral("First"), QStringLiteral("Run-2"), QStringLiteral("Cancel")};
    ask.escapeButton = 3;
    const QString answer = Dialogs::current().message(ask);
    if (answer == QLatin1String("Both")) {
        t.setBool(run1, true);
        t.setBool(run2, true);
    } else if (answer == QLatin1String("First")) {
        t.setBool(run1, true);
    } else if (answer == QLatin1String("Run-2")) {
        t.setBool(run2, true);
    } else {
        button->setChecked(false);   // the level stays in the field until the save clears it
    }
}

void TEntryPanel::TzCheckBox1Click(BoundCheckBox* box)
{
    if (box->isChecked() || !PageControl1->isVisibleTo(this))
        return;
    for (int d = 1; d <= entry::kDays; ++d)
        for (int r = 1; r <= entry::kClasses; ++r) {
            if (m_box[d - 1][r - 1][0] != box && m_box[d - 1][r - 1][1] != box)
                continue;
            const Table& t = m_dmod->TzDbf1;
            if (!t.toBool(entry::runField(d, r, 1)) && !t.toBool(entry::runField(d, r, 2)))
                raiseRow(d, r);
            return;
        }
}

// ---------------------------------------------------------------------------------------
// Heights

void TEntryPanel::RadioButton1Enter()
{
    ensureEditing();
}

void TEntryPanel::RadioButton1DblClick()
{
    uncheckAll(m_regular);
}

void TEntryPanel::RadioButton6DblClick()
{
    uncheckAll(m_second);
}

void TEntryPanel::CategoryClick(Category category)
{
    if (!ensureEditing()) {
        DisplayRecord();
        return;
    }
    m_categories[int(category)]->setChecked(true);
    m_dmod->TzDbf1.setText("ht_cat", QString(entry::categoryLetter(category)));
    m_category = entry::categoryLetter(category);
    m_vetMark = category == Category::Veteran;
    m_entMark = category == Category::Enthusiast;
    m_specMark = category == Category::Specialist;
    if (category == Category::Regular)
        uncheckAll(m_second);

    if (const std::optional<int> h = entry::proposedHeight(category, m_regHtLoaded)) {
        if (category == Category::Regular)
            checkRegular(*h);
        else
            checkSecond(*h);
    }
}

void TEntryPanel::TzEdit10Exit()
{
    if (!DataSource1->isEditing())
        return;
    const QString text = rightTrimmed(TzEdit10->value());
    if (text.size() < 3 && rightTrimmed(m_dmod->TzDbf1.text("state")) != text.toUpper())
        m_dmod->TzDbf1.setText("state", text.toUpper());
}

void TEntryPanel::TzEditNameEnter(QWidget* nameEdit)
{
    Q_UNUSED(nameEdit);
    if (m_inNameNotice)
        return;
    m_inNameNotice = true;
    Dialogs::current().information(entry::text::ownerNameNotice());
    // Both name fields move on to the field after the last name.
    AddressEdit->setFocus(Qt::TabFocusReason);
    m_inNameNotice = false;
}

// ---------------------------------------------------------------------------------------
// Save and the before-post check

bool TEntryPanel::dayShown(int day) const
{
    return PageControl1->isTabVisible(day - 1);
}

std::optional<QString> TEntryPanel::missingLevel() const
{
    return entry::missingLevel([this](int d) { return dayShown(d); },
                               [this](int d, int r) {
                                   entry::RowState s;
                                   s.run1 = m_box[d - 1][r - 1][0]->isChecked();
                                   s.run2 = m_box[d - 1][r - 1][1]->isChecked();
                                   for (const QToolButton* b : m_speed[d - 1][r - 1])
                                       s.hasLevel = s.hasLevel || b->isChecked();
                                   return s;
                               });
}

bool TEntryPanel::SaveBtnClick()
{
    // A save from the keyboard while the ID field still has the focus leaves it first,
    // so a typed ID is never written unchecked; the check may cancel the entry.
    if (TzEdit1->hasFocus() && DataSource1->isEditing())
        SaveBtn->setFocus(Qt::OtherFocusReason);
    if (!DataSource1->isEditing())
        return false;
    Table& t = m_dmod->TzDbf1;

    const int regular = checkedRegular();
    if (regular == 0) {
        Dialogs::current().warning(entry::text::noRegularHeight());
        m_regular.first()->setFocus();
        return false;
    }
    t.setText("reg_ht", entry::heightText(regular));
    t.setText("srt_ht", QStringLiteral("0"));

    if (const int second = checkedSecond(); second > 0) {
        std::optional<entry::SecondHeight> write;
        if (m_vetMark)
            write = entry::secondHeightForMark(Category::Veteran, second);
        else if (m_entMark)
            write = entry::secondHeightForMark(Category::Enthusiast, second);
        else if (m_specMark)
            write = entry::secondHeightForMark(Category::Specialist, second);
        else {
            MessageRequest ask;
            ask.icon = MessageIcon::Question;
            ask.text = entry::text::secondHeightQuestion();
            ask.buttons = {QStringLiteral("Veteran"), QStringLiteral("Enthusiast"), QStringLiteral("Specialist"),
                           QStringLiteral("Neither")};
            ask.escapeButton = 3;
            const QString answer = Dialogs::current().message(ask);
            if (answer == QLatin1String("Veteran"))
                write = entry::secondHeightForAnswer(Category::Veteran, second);
            else if (answer == QLatin1String("Enthusiast"))
                write = entry::secondHeightForAnswer(Category::Enthusiast, second);
            else if (answer == QLatin1String("Specialist"))
                write = entry::secondHeightForAnswer(Category::Specialist, second);
            else {
                uncheckAll(m_second);
                // Only the category marks: the breed and member-data marks are still due.
                m_vetMark = m_entMark = m_specMark = false;
                m_categories[int(Category::Regular)]->setChecked(true);
                t.setBlank("vet_ht");
                t.setBlank("spec_ht");
                t.setText("srt_ht", QStringLiteral("0"));
            }
        }
        if (write) {
            t.setText("ht_cat", QString(write->htCat));
            if (write->vetHt)
                t.setText("vet_ht", *write->vetHt);
            if (write->specHt)
                t.setText("spec_ht", *write->specHt);
            t.setText("srt_ht", write->srtHt);
        }
    }

    if (const std::optional<QString> missing = missingLevel()) {
        Dialogs::current().warning(entry::text::levelMissingOnSave(*missing));
        return false;
    }
    entry::clearOrphanLevels(t, m_trial.numDays);
    t.setInt("show_num", m_trial.trialNumber);

    if (!t.post())
        return false;

    hideBreedPickList();
    CountRunsPerDay();
    const bool breedChanged = m_breedChanged;
    const bool memberData = m_memberData;
    if (m_saveFollowUp && (breedChanged || memberData))
        m_saveFollowUp(breedChanged, memberData);
    if (t.recNo() > 0)
        t.refresh();
    setIdFieldEnabled(false);
    return true;
}

bool TEntryPanel::BeforePostCheck()
{
    Table& t = m_dmod->TzDbf1;
    const QString armband = rightTrimmed(t.text("armband"));
    const quint32 self = t.state() == Table::State::Insert ? 0 : t.recNo();
    if (armbands::isDuplicate(t, armband, self)) {
        Dialogs::current().warning(armbands::duplicateMessage(armband));
        ArmbandEdit->setFocus();
        return false;
    }
    if (const std::optional<QString> missing = missingLevel()) {
        Dialogs::current().warning(entry::text::levelMissingOnPost(*missing));
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Add, Edit, Cancel, Delete

void TEntryPanel::AddBtnClick()
{
    Table& t = m_dmod->TzDbf1;
    if (!t.isOpen())
        return;
    setIdFieldEnabled(true);
    setRecordStatus(entry::text::addingStatus(t.recordCount()));
    raiseAllLevelButtons();
    clearHeightRadios();
    clearMarks();
    uncheckAll(m_categories);
    m_category = QChar();
    m_breedLoaded.clear();
    m_idLoaded.clear();
    m_regHtLoaded = 0;
    PageControl1->setCurrentIndex(0);
    t.append();
    showDeleted(false);
    TzEdit1->setFocus();
}

void TEntryPanel::EditBtnClick()
{
    if (!ensureEditing())
        return;
    showBreedPickList();
    setIdFieldEnabled(true);
}

void TEntryPanel::CancelBtnClick()
{
    Table& t = m_dmod->TzDbf1;
    t.cancel();
    clearMarks();
    hideBreedPickList();
    if (t.recNo() > 0)
        t.refresh();   // shows the record again (AfterScroll)
    else
        DisplayRecord();
    setIdFieldEnabled(false);
}

void TEntryPanel::DeleteBtnClick()
{
    Table& t = m_dmod->TzDbf1;
    if (!t.isOpen() || t.recNo() == 0 || DataSource1->isEditing())
        return;
    t.toggleDeleted();
    showDeleted(t.isDeleted());
    CountRunsPerDay();
}

void TEntryPanel::showBreedPickList()
{
    BreedStack->setCurrentWidget(BreedPickList);
}

void TEntryPanel::hideBreedPickList()
{
    BreedStack->setCurrentWidget(BreedEdit);
}

bool TEntryPanel::isBreedPickListShown() const
{
    return BreedStack->currentWidget() == BreedPickList;
}

void TEntryPanel::setIdFieldEnabled(bool enabled)
{
    TzEdit1->setEnabled(enabled);
}

// ---------------------------------------------------------------------------------------
// Buttons

void TEntryPanel::SwitchButtons()
{
    const Table::State state = m_dmod->TzDbf1.state();
    const bool open = m_trialOpen && state != Table::State::Closed;
    const bool editing = state == Table::State::Edit || state == Table::State::Insert;
    for (QWidget* w : {static_cast<QWidget*>(AddBtn), static_cast<QWidget*>(EditBtn), static_cast<QWidget*>(DeleteBtn),
                       static_cast<QWidget*>(FindBtn), static_cast<QWidget*>(DBNavigator1),
                       static_cast<QWidget*>(SendBtn)})
        w->setEnabled(open && !editing);
    SaveBtn->setEnabled(open && editing);
    CancelBtn->setEnabled(open && editing);
    LookUpBtn->setEnabled(open);
}

// ---------------------------------------------------------------------------------------
// Controls

QToolButton* TEntryPanel::speedButton(int day, int row, int position) const
{
    return m_speed[day - 1][row - 1][position - 1];
}

BoundCheckBox* TEntryPanel::runBox(int day, int row, int kind) const
{
    return m_box[day - 1][row - 1][kind - 1];
}

QRadioButton* TEntryPanel::regularRadio(int inches) const
{
    for (QRadioButton* r : m_regular)
        if (r->property("inches").toInt() == inches)
            return r;
    return nullptr;
}

QRadioButton* TEntryPanel::secondRadio(int inches) const
{
    for (QRadioButton* r : m_second)
        if (r->property("inches").toInt() == inches)
            return r;
    return nullptr;
}

QRadioButton* TEntryPanel::categoryRadio(Category category) const
{
    return m_categories.value(int(category));
}

QToolButton* TEntryPanel::button(const QString& objectName) const
{
    return findChild<QToolButton*>(objectName);
}

// ---------------------------------------------------------------------------------------
// Events

bool TEntryPanel::eventFilter(QObject* watched, QEvent* event)
{
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w)
        return false;
    // Name and address fields are watched too: only a real radio button is a height or category.
    auto* radio = qobject_cast<QRadioButton*>(watched);
    if (event->type() == QEvent::FocusIn && userFocus(event)) {
        if (w == FirstEdit || w == LastEdit) {
            // Deferred: a box shown from inside the focus change would fight it.
            QMetaObject::invokeMethod(this, guarded([this, w] { TzEditNameEnter(w); }), Qt::QueuedConnection);
        } else if (m_memberFields.contains(w)) {
            m_memberData = true;
        } else if (radio && (m_regular.contains(radio) || m_second.contains(radio) || m_categories.contains(radio))) {
            runGuarded([this] { RadioButton1Enter(); });
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (radio && m_regular.contains(radio)) {
            RadioButton1DblClick();
            return true;
        }
        if (radio && m_second.contains(radio)) {
            RadioButton6DblClick();
            return true;
        }
    }
    return false;
}

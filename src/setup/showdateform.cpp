#include "setup/showdateform.h"

#include "data/dmod.h"
#include "data/trials.h"
#include "platform/system/gendefs.h"
#include "platform/ui/bounddateedit.h"
#include "platform/ui/boundlineedit.h"
#include "platform/ui/boundspinbox.h"
#include "platform/ui/datasource.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/guard.h"
#include "platform/ui/navigator.h"
#include "platform/ui/windowposition.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStatusBar>
#include <QVBoxLayout>

#include <utility>

namespace {

struct ClassField
{
    const char* caption;
    const char* code;
};
// Captions in the window's order; ShowDates stores Jackpot before Snooker, which the
// field names take care of.
constexpr ClassField kClassFields[TShowDateForm::kClasses] = {
    {"Standard", "std"}, {"Colors", "clrs"},     {"Wildcard", "wild"}, {"Snooker", "snok"},
    {"Jackpot", "jack"}, {"FullHouse", "full"}, {"Jumpers", "jump"},
};

QString levelField(int day, int level)
{
    return QStringLiteral("d%1_lev").arg(day) + (level < 5 ? QString::number(level + 1) : QStringLiteral("c"));
}

QString runField(int day, int classIndex)
{
    return QStringLiteral("d%1_").arg(day) + QLatin1String(kClassFields[classIndex].code);
}

const QString kSaveQuestion = QStringLiteral("Data has been changed - Save it?");

} // namespace

const QString TShowDateForm::kMaxDaysMessage =
    QStringLiteral("A Show can have at most 4 Days.;Please enter a number of days from 1 to 4.");

TShowDateForm::TShowDateForm(TDmod& dmod, Mode mode, QWidget* parent)
    : QDialog(parent), m_dmod(dmod), m_table(dmod.ShowDates)
{
    setObjectName(QStringLiteral("ShowDateForm"));
    setWindowTitle(QStringLiteral("Show Dates and Classes Offered"));
    m_dmod.OpenShowDates();
    m_table.setCurrentTag(QStringLiteral("SHOWNUM"));
    m_source = new DataSource(m_table, this);
    buildWindow();

    m_navigateHook = m_table.onBeforeNavigate([this](xbase::Table&) {
        bool go = true;
        runGuarded([&] { go = askToSave(); });
        return go;
    });
    connect(m_source, &DataSource::dataChanged, this, [this](int field) {
        if (field > 0 && !m_loading)
            markChanged();
    });

    if (mode == Mode::NewTrial)
        openNewTrial();
    else
        openEdit();
    keepWindowPosition(this);
}

TShowDateForm::~TShowDateForm()
{
    finish();
}

// ---------------------------------------------------------------------------
// Building

void TShowDateForm::buildWindow()
{
    auto* layout = new QVBoxLayout(this);

    m_navigator = new Navigator(m_source, this);
    m_navigator->setObjectName(QStringLiteral("DBNavigator1"));
    connect(m_navigator, &Navigator::clicked, this, guarded([this] { afterMove(); }));

    auto* top = new QGridLayout;
    m_showNum = new BoundLineEdit(m_source, QStringLiteral("show_num"), this);
    m_showNum->setObjectName(QStringLiteral("ShowNumEdit"));
    m_showNum->setReadOnly(true);
    m_showNum->setFocusPolicy(Qt::NoFocus);
    m_showNum->setMaximumWidth(70);
    m_numDays = new BoundLineEdit(m_source, QStringLiteral("num_days"), this);
    m_numDays->setObjectName(QStringLiteral("NumDaysEdit"));
    m_numDays->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]?")), m_numDays));
    m_numDays->setMaximumWidth(40);
    m_date = new BoundDateEdit(m_source, QStringLiteral("show_date"), this);
    m_date->setObjectName(QStringLiteral("ShowDateEdit"));
    m_date->setMaximumWidth(120);
    auto* note = new QLabel(QStringLiteral("Maximum of 4 Days"), this);

    top->addWidget(new QLabel(QStringLiteral("Show Number"), this), 0, 0);
    top->addWidget(m_showNum, 1, 0);
    top->addWidget(new QLabel(QStringLiteral("# of Days"), this), 0, 1);
    top->addWidget(m_numDays, 1, 1);
    top->addWidget(note, 2, 1);
    top->addWidget(new QLabel(QStringLiteral("Date for first Day"), this), 0, 2);
    top->addWidget(m_date, 1, 2);
    top->addWidget(m_navigator, 1, 4, Qt::AlignRight);
    top->setColumnStretch(3, 1);
    layout->addLayout(top);

    m_specify = new QPushButton(QStringLiteral("&Specify Classes for this Show"), this);
    m_specify->setObjectName(QStringLiteral("SpecifyButton"));
    layout->addWidget(m_specify, 0, Qt::AlignLeft);

    auto* days = new QHBoxLayout;
    for (int day = 1; day <= kDays; ++day)
        days->addWidget(buildDay(day));
    layout->addLayout(days);

    auto* buttons = new QHBoxLayout;
    m_edit = new QPushButton(QStringLiteral("&Edit"), this);
    m_save = new QPushButton(QStringLiteral("&Save"), this);
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_close = new QPushButton(QStringLiteral("Cl&ose"), this);
    m_edit->setObjectName(QStringLiteral("EditButton"));
    m_save->setObjectName(QStringLiteral("SaveButton"));
    m_cancel->setObjectName(QStringLiteral("CancelButton"));
    m_close->setObjectName(QStringLiteral("CloseButton"));
    for (QPushButton* b : {m_edit, m_save, m_cancel, m_close}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        m_status[i] = new QLabel(status);
        m_status[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_status[i]->setMinimumWidth(i == 0 ? 150 : 220);
        status->addWidget(m_status[i]);
    }
    layout->addWidget(status);

    connect(m_specify, &QPushButton::clicked, this, guarded([this] { SpecifyClassesClick(); }));
    connect(m_edit, &QPushButton::clicked, this, guarded([this] { EditButtonClick(); }));
    connect(m_save, &QPushButton::clicked, this, guarded([this] { SaveButtonClick(); }));
    connect(m_cancel, &QPushButton::clicked, this, guarded([this] { CancelButtonClick(); }));
    connect(m_close, &QPushButton::clicked, this, guarded([this] { CloseButtonClick(); }));
    connect(m_date, &BoundDateEdit::dateEdited, this, guarded([this] { ShowDateChange(); }));

    // The checks on leaving a field run only when the focus stays in this window (not
    // when a message box or another window takes it).
    const auto focusStaysHere = [this] {
        QWidget* focus = QApplication::focusWidget();
        return focus && isAncestorOf(focus);
    };
    connect(m_numDays, &BoundLineEdit::exited, this, guarded([this, focusStaysHere] {
        if (focusStaysHere())
            NumDaysExit();
    }));
    connect(m_date, &BoundDateEdit::exited, this, guarded([this, focusStaysHere] {
        QWidget* focus = QApplication::focusWidget();
        // Leaving for Cancel or Close must stay possible with a half-typed date.
        if (focusStaysHere() && focus != m_cancel && focus != m_close)
            ShowDateExit();
    }));
}

QWidget* TShowDateForm::buildDay(int day)
{
    DayControls& d = m_days[day - 1];
    d.box = new QGroupBox(QStringLiteral("Day %1 - ").arg(day), this);
    d.box->setObjectName(QStringLiteral("DayBox%1").arg(day));
    auto* grid = new QGridLayout(d.box);

    grid->addWidget(new QLabel(QStringLiteral("Levels Offered:"), d.box), 0, 0, 1, kLevels + 1);
    for (int level = 0; level < kLevels; ++level) {
        d.levels[level] = new QCheckBox(d.box);
        d.levels[level]->setObjectName(QStringLiteral("D%1Level%2").arg(day).arg(level + 1));
        d.levels[level]->setToolTip(level < 5 ? QStringLiteral("Level %1").arg(level + 1) : QStringLiteral("Level C"));
        grid->addWidget(d.levels[level], 2, level);
        connect(d.levels[level], &QCheckBox::clicked, this, guarded([this, day, level] { LevelBoxClick(day, level); }));
    }
    d.all = new QCheckBox(QStringLiteral("All"), d.box);
    d.all->setObjectName(QStringLiteral("D%1All").arg(day));
    grid->addWidget(d.all, 2, kLevels);
    connect(d.all, &QCheckBox::clicked, this, guarded([this, day] { AllBoxClick(day); }));
    // "1  2   3   4   5   C", one caption over each box so they line up at any width.
    for (int level = 0; level < kLevels; ++level) {
        auto* caption = new QLabel(level < 5 ? QString::number(level + 1) : QStringLiteral("C"), d.box);
        grid->addWidget(caption, 1, level, Qt::AlignLeft | Qt::AlignBottom);
    }

    auto* runs = new QLabel(QStringLiteral("# of Runs"), d.box);
    grid->addWidget(runs, 3, 0, 1, kLevels + 1);
    for (int c = 0; c < kClasses; ++c) {
        auto* spin = new BoundSpinBox(m_source, runField(day, c), d.box);
        spin->setObjectName(QStringLiteral("D%1%2").arg(day).arg(QLatin1String(kClassFields[c].code)));
        spin->setRange(0, 2);
        spin->setTypingAllowed(false);
        spin->setMaximumWidth(50);
        d.runs[c] = spin;
        grid->addWidget(spin, 4 + c, 0, 1, 2);
        grid->addWidget(new QLabel(QLatin1String(kClassFields[c].caption), d.box), 4 + c, 2, 1, kLevels - 1);
    }
    return d.box;
}

// ---------------------------------------------------------------------------
// Opening

void TShowDateForm::openNewTrial()
{
    m_newTrial = true;
    m_edit->hide();
    m_save->hide();
    m_cancel->setEnabled(true);
    m_specify->show();
    m_specify->setEnabled(false);
    m_navigator->hide();
    showDayBoxes(0);

    m_nextNumber = data::NextTrialNumber(m_dmod);
    m_loading = true;
    m_table.append();
    m_table.setInt(QStringLiteral("show_num"), m_nextNumber);
    m_loading = false;
    m_showNum->reload();
    updateStatus();
}

void TShowDateForm::openEdit()
{
    m_newTrial = false;
    if (m_table.eof() && !m_table.isEmpty())
        m_table.first();
    m_rememberedDays = int(m_table.toInt(QStringLiteral("num_days")));
    m_edit->show();
    m_save->show();
    m_specify->hide();
    m_navigator->show();
    showDayBoxes(m_rememberedDays);
    loadCheckBoxes();
    m_cancel->setEnabled(false);
    updateStatus();
}

void TShowDateForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_newTrial)
        m_numDays->setFocus();
}

// ---------------------------------------------------------------------------
// Day boxes and check boxes

void TShowDateForm::showDayBoxes(int days)
{
    const QDate first = m_table.toDate(QStringLiteral("show_date"));
    for (int day = 1; day <= kDays; ++day) {
        QString caption = QStringLiteral("Day %1 - ").arg(day);
        if (first.isValid())
            caption += first.addDays(day - 1).toString(QStringLiteral("MM/dd/yyyy"));
        m_days[day - 1].box->setTitle(caption);
        m_days[day - 1].box->setVisible(day <= days);
    }
}

void TShowDateForm::loadDay(int day)
{
    DayControls& d = m_days[day - 1];
    bool all = true;
    for (int level = 0; level < kLevels; ++level) {
        const bool offered = m_table.toBool(levelField(day, level));
        d.levels[level]->setChecked(offered);
        all = all && offered;
    }
    // "All" follows the six flags of the row shown, so it never claims levels that are off.
    d.all->setChecked(all);
}

void TShowDateForm::loadCheckBoxes()
{
    for (int day = 1; day <= kDays; ++day)
        loadDay(day);
    m_pending = false;
    setButtons(true, false, false);
}

void TShowDateForm::setButtons(bool editEnabled, bool saveEnabled, bool cancelEnabled)
{
    m_edit->setEnabled(editEnabled);
    m_save->setEnabled(saveEnabled);
    m_cancel->setEnabled(cancelEnabled);
}

void TShowDateForm::markChanged()
{
    m_pending = true;
    setButtons(false, true, true);
}

void TShowDateForm::updateStatus()
{
    m_status[0]->setText(QStringLiteral("Rec # %1 / %2").arg(m_table.recNo(), 5).arg(m_table.recordCount(), 5));
    m_status[1]->setText(QStringLiteral("Current Index = Show Number"));
}

QString TShowDateForm::statusText(int panel) const
{
    return m_status[panel - 1]->text();
}

// ---------------------------------------------------------------------------
// Handlers

void TShowDateForm::SpecifyClassesClick()
{
    const int days = typedDays();
    if (days < 1) {
        Dialogs::current().message(QStringLiteral("You must specify the Number of Days"));
        m_numDays->setFocus();
        return;
    }
    if (days > kDays) {
        Dialogs::current().warning(kMaxDaysMessage);
        m_numDays->setFocus();
        return;
    }
    m_source->updateRecord();
    showDayBoxes(days);
    m_loading = true;
    for (int day = 1; day <= days; ++day)
        for (int level = 0; level < kLevels; ++level)
            m_table.setBool(levelField(day, level), true);
    m_loading = false;
    loadCheckBoxes();
    m_specify->hide();
    m_navigator->show();
    m_navigator->setEnabled(false);
    m_save->show();
    m_edit->show();
    setButtons(false, true, true);
}

void TShowDateForm::EditButtonClick()
{
    if (!m_source->edit())
        return;
    setButtons(false, true, true);
}

void TShowDateForm::LevelBoxClick(int day, int level)
{
    EditButtonClick();
    markChanged();
    if (!m_days[day - 1].levels[level]->isChecked())
        m_days[day - 1].all->setChecked(false);
}

void TShowDateForm::AllBoxClick(int day)
{
    EditButtonClick();
    markChanged();
    if (m_days[day - 1].all->isChecked())
        for (QCheckBox* box : m_days[day - 1].levels)
            box->setChecked(true);
}

int TShowDateForm::typedDays() const
{
    return m_numDays->text().trimmed().toInt();
}

bool TShowDateForm::focusOnClose() const
{
    return QApplication::focusWidget() == m_close;
}

void TShowDateForm::NumDaysExit()
{
    const int days = typedDays();
    if (days < 1) {
        if (m_newTrial && focusOnClose())
            return;
        Dialogs::current().message(QStringLiteral("You must specify the Number of Days"));
        m_numDays->setFocus();
        return;
    }
    if (days > kDays) {
        // The row has fields for four days only: a fifth would be lost without a word.
        Dialogs::current().warning(kMaxDaysMessage);
        m_numDays->setFocus();
        return;
    }
    if (m_newTrial) {
        // Once the classes are being specified, the day boxes follow the number typed.
        if (!m_specify->isVisible() && m_save->isVisible()) {
            for (int day = 1; day <= kDays; ++day)
                if (!m_days[day - 1].box->isVisible() && day <= days)
                    for (QCheckBox* box : m_days[day - 1].levels)
                        box->setChecked(true);
            for (int day = 1; day <= kDays; ++day)
                m_days[day - 1].all->setChecked(day <= days);
            showDayBoxes(days);
        }
        return;
    }
    if (days == m_rememberedDays)
        return;
    const QString answer = Dialogs::current().message(
        QStringLiteral("Do you really want to change the number of days?;If so, be sure and re-do all the other steps;"
                       "(level groupings, running order & judge assignments)"),
        MessageIcon::Question, {QStringLiteral("Yes"), QStringLiteral("No")});
    if (answer != QStringLiteral("Yes")) {
        // Back to the number the day boxes show, so the row cannot be saved half-changed.
        if (m_source->isEditing()) {
            m_loading = true;
            m_table.setInt(QStringLiteral("num_days"), m_rememberedDays);
            m_loading = false;
        }
        m_numDays->reload();
        return;
    }
    EditButtonClick();
    markChanged();
    m_source->updateRecord();
    for (int day = m_rememberedDays + 1; day <= days; ++day) {
        for (QCheckBox* box : m_days[day - 1].levels)
            box->setChecked(true);
        m_days[day - 1].all->setChecked(true);
    }
    m_loading = true;
    for (int day = days + 1; day <= m_rememberedDays; ++day) {
        for (int level = 0; level < kLevels; ++level) {
            m_table.setBool(levelField(day, level), false);
            m_days[day - 1].levels[level]->setChecked(false);
        }
        m_days[day - 1].all->setChecked(false);
    }
    m_loading = false;
    m_rememberedDays = days;
    showDayBoxes(days);
}

void TShowDateForm::ShowDateChange()
{
    m_specify->setEnabled(true);
}

void TShowDateForm::ShowDateExit()
{
    if (m_date->isEmpty() || !m_date->hasValidDate()) {
        Dialogs::current().message(QStringLiteral("You must specify a Show Date"));
        m_date->setFocus();
        return;
    }
    if (m_days[0].box->isVisible())
        showDayBoxes(typedDays());
}

bool TShowDateForm::SaveButtonClick()
{
    if (focusOnClose())
        return false;
    return save();
}

bool TShowDateForm::save()
{
    m_source->updateRecord();
    const int days = typedDays();
    if (days > kDays) {
        Dialogs::current().warning(kMaxDaysMessage);
        m_numDays->setFocus();
        return false;
    }
    int runs = 0;
    for (int day = 1; day <= days; ++day)
        for (BoundSpinBox* spin : m_days[day - 1].runs)
            runs += spin->value();
    if (runs <= 0) {
        Dialogs::current().message(QStringLiteral("You haven't indicated any classes!  Please do so."));
        m_days[0].runs[0]->setFocus();
        return false;
    }
    if (m_newTrial && !m_date->hasValidDate()) {
        // The date names the trial's files.
        Dialogs::current().message(QStringLiteral("You must specify a Show Date"));
        m_date->setFocus();
        return false;
    }

    if (!m_source->isEditing() && !m_source->edit())
        return false;
    m_loading = true;
    for (int day = 1; day <= days; ++day)
        for (int level = 0; level < kLevels; ++level)
            m_table.setBool(levelField(day, level), m_days[day - 1].levels[level]->isChecked());
    m_loading = false;
    if (!m_table.post())
        return false;
    m_navigator->setEnabled(true);
    setButtons(true, false, false);
    m_rememberedDays = days;
    updateStatus();

    if (m_newTrial) {
        const int number = int(m_table.toInt(QStringLiteral("show_num")));
        const QString firstDate = m_table.text(QStringLiteral("show_date")).trimmed();
        // The row is stored; a folder or file that cannot be made stops here, and Save
        // can be tried again once the cause is fixed.
        const QString path = data::CreateTrialFiles(m_dmod, number, firstDate);
        GenDefs(m_dmod.folders().gendefs()).setLastOpenedShow(path);
        m_dmod.OpenTzDbf1(path);
        m_newTrial = false;
        m_createdTrial = number;
        m_createdPath = path;
        m_createdDate = firstDate;
        m_pending = false;
        Dialogs::current().message(QStringLiteral("Next Steps for a New Show are:;  1 - Define Level Groups;"
                                                  "  2 - Define Running Order;  3 - Judge Assignments;"
                                                  "all under TASKS from main menu"));
    } else {
        m_pending = false;
        Dialogs::current().message(
            QStringLiteral("You must now re-do for classes:;  1 - Define Level Groups;  2 - Define Running Order;"
                           "  3 - Judge Assignments;;Also, if the show is currently opened, you must [Close It];"
                           "then [Re-Open it] for the new classes to be shown."),
            MessageIcon::Exclamation, {}, QStringLiteral("Classes Have Been Modified"));
    }
    m_pending = false;
    return true;
}

void TShowDateForm::cancelRow()
{
    if (m_source->isEditing()) {
        m_loading = true;
        m_table.cancel();
        m_loading = false;
    }
}

void TShowDateForm::CancelButtonClick()
{
    m_newTrial = false;
    m_pending = false;
    cancelRow();
    if (m_table.recNo() == 0 && !m_table.isEmpty())
        m_table.first();
    m_table.refresh();
    m_navigator->show();
    m_navigator->setEnabled(true);
    m_edit->show();
    m_save->show();
    m_specify->hide();
    m_rememberedDays = int(m_table.toInt(QStringLiteral("num_days")));
    showDayBoxes(m_rememberedDays);
    loadCheckBoxes();
    updateStatus();
}

bool TShowDateForm::askToSave()
{
    if (!m_pending || m_loading)
        return true;
    const QString answer = Dialogs::current().message(kSaveQuestion, MessageIcon::Question,
                                                      {QStringLiteral("Yes"), QStringLiteral("No")});
    if (answer == QStringLiteral("Yes"))
        return save();
    CancelButtonClick();
    return true;
}

void TShowDateForm::afterMove()
{
    const int days = int(m_table.toInt(QStringLiteral("num_days")));
    m_rememberedDays = days;
    if (days >= 1) {
        showDayBoxes(days);
        loadCheckBoxes();
    }
    updateStatus();
    setButtons(true, false, false);
}

bool TShowDateForm::CloseButtonClick()
{
    if (typedDays() > 0 && m_pending && !askToSave())
        return false;   // a save that failed its checks keeps the window open
    finish();
    QDialog::done(m_createdTrial > 0 ? QDialog::Accepted : QDialog::Rejected);
    return true;
}

void TShowDateForm::finish()
{
    if (m_finished)
        return;
    // Whatever was not saved is dropped: ShowDates is never left half-edited.
    cancelRow();
    m_table.detach(m_navigateHook);
    m_navigateHook = 0;
    m_finished = true;
}

void TShowDateForm::reject()
{
    runGuarded([this] { CloseButtonClick(); });
}

void TShowDateForm::closeEvent(QCloseEvent* event)
{
    bool closed = true;
    runGuarded([&] { closed = m_finished || CloseButtonClick(); });
    if (closed)
        event->accept();
    else
        event->ignore();
}

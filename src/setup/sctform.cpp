#include "setup/sctform.h"

#include "data/dmod.h"
#include "data/trialchecks.h"
#include "platform/ui/boundlineedit.h"
#include "platform/ui/datasource.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/guard.h"
#include "platform/ui/tabs.h"
#include "platform/ui/windowposition.h"
#include "setup/runorder.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace setup;

namespace {

bool isStandardType(const QString& page)
{
    return derivesEnthusiastTime(page);
}

// Tab bars take "&" as a shortcut mark; "&&" shows one ampersand.
QString tabText(const QString& caption)
{
    QString text = caption;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString shownText(const QString& tabText)
{
    QString text = tabText;
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

QStringList tabTexts(const QTabBar* tabs)
{
    QStringList list;
    if (tabs)
        for (int i = 0; i < tabs->count(); ++i)
            list.append(shownText(tabs->tabText(i)));
    return list;
}

} // namespace

TSCTForm::TSCTForm(TDmod& dmod, int trialNumber, QWidget* parent)
    : QDialog(parent), m_dmod(dmod), m_trial(trialNumber)
{
    setWindowTitle(QStringLiteral("Standard Course Times"));
    m_source = new DataSource(m_dmod.SCTInfo, this);
    m_source->setEnabled(false);
    buildWindow();
    resize(760, 520);
    keepWindowPosition(this);
}

TSCTForm::~TSCTForm()
{
    FormDeactivate();
}

void TSCTForm::buildWindow()
{
    m_save = new QPushButton(QStringLiteral("Save"));
    m_cancel = new QPushButton(QStringLiteral("Cancel"));
    auto* close = new QPushButton(QStringLiteral("Close"));
    connect(m_save, &QPushButton::clicked, this, guarded([this] { SaveButtonClick(); }));
    connect(m_cancel, &QPushButton::clicked, this, guarded([this] { CancelButtonClick(); }));
    connect(close, &QPushButton::clicked, this, guarded([this] { CloseButtonClick(); }));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    buttons->addWidget(close);

    m_days = new QTabBar;
    m_days->setExpanding(false);
    // A clicked tab takes the focus, so the box being typed in is left (and checked) for
    // the row it belongs to before the tab shows another one.
    m_days->setFocusPolicy(Qt::StrongFocus);
    connect(m_days, &QTabBar::currentChanged, this, [this](int i) { runGuarded([=, this] { DayTabChange(i); }); });

    m_pages = new QTabWidget;
    m_pages->tabBar()->setFocusPolicy(Qt::StrongFocus);
    m_pageList.reserve(size_t(sctPageOrder().size()));
    for (const QString& name : sctPageOrder())
        buildPage(name);
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int i) { runGuarded([=, this] { PageChange(i); }); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_days);
    layout->addWidget(m_pages, 1);
    connect(m_source, &DataSource::stateChanged, this, [this] { updateButtons(); });
}

BoundLineEdit* TSCTForm::addBox(Page& page, const QString& name, const QString& field, bool readOnly)
{
    auto* box = new BoundLineEdit(m_source, field);
    box->setObjectName(page.name + QLatin1Char('.') + name);
    box->setMaximumWidth(90);
    if (readOnly) {
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
    } else {
        box->installEventFilter(this);
    }
    page.boxes.insert(name, box);
    return box;
}

TSCTForm::Page& TSCTForm::buildPage(const QString& name)
{
    Page& page = m_pageList.emplace_back();
    page.name = name;
    page.widget = new QWidget;
    auto* layout = new QVBoxLayout(page.widget);
    auto* heading = new QLabel(name + QStringLiteral(" SCT"));
    QFont f = heading->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    heading->setFont(f);
    layout->addWidget(heading);

    const bool fullHouse = name == kFullHouse;
    if (!fullHouse) {
        page.runs = new QTabBar;
        page.levels = new QTabBar;
        page.runs->setExpanding(false);
        page.levels->setExpanding(false);
        page.runs->setFocusPolicy(Qt::StrongFocus);
        page.levels->setFocusPolicy(Qt::StrongFocus);
        connect(page.runs, &QTabBar::currentChanged, this, [this](int i) { runGuarded([=, this] { RunTabChange(i); }); });
        connect(page.levels, &QTabBar::currentChanged, this,
                [this](int i) { runGuarded([=, this] { LevelTabChange(i); }); });
        layout->addWidget(page.runs);
        layout->addWidget(page.levels);
    } else {
        for (const char* text : {"All Rounds", "All Levels", "No Changes Allowed", "Table Time for all is 5 sec"})
            layout->addWidget(new QLabel(QLatin1String(text)));
    }

    auto* ids = new QHBoxLayout;
    ids->addWidget(new QLabel(QStringLiteral("Day #")));
    ids->addWidget(addBox(page, QStringLiteral("day_num"), QStringLiteral("day_num"), true));
    ids->addWidget(new QLabel(QStringLiteral("Round #")));
    ids->addWidget(addBox(page, QStringLiteral("round"), QStringLiteral("round"), true));
    ids->addStretch(1);
    layout->addLayout(ids);

    auto* grid = new QGridLayout;
    int row = 0;
    // A row of two time boxes under their own column captions.
    const auto timeRow = [&](const QString& label, const QString& small, const QString& smallCaption,
                             const QString& large, const QString& largeCaption, const QString& suffix, bool readOnly) {
        grid->addWidget(new QLabel(smallCaption), row, 1);
        grid->addWidget(new QLabel(largeCaption), row, 2);
        ++row;
        grid->addWidget(new QLabel(label), row, 0);
        grid->addWidget(addBox(page, small + suffix, small, readOnly), row, 1);
        grid->addWidget(addBox(page, large + suffix, large, readOnly), row, 2);
        ++row;
    };
    const QString small = QStringLiteral("4\"/8\"/12\"");
    const QString large = QStringLiteral("16\"/20\"/24\"");
    if (isStandardType(name)) {
        grid->addWidget(new QLabel(QStringLiteral("Yards")), row, 0);
        grid->addWidget(addBox(page, QStringLiteral("yards"), QStringLiteral("yards"), false), row, 1);
        ++row;
        timeRow(QStringLiteral("Regular/Veterans"), QStringLiteral("time8"), small, QStringLiteral("time16"),
                QStringLiteral("16\"Vet/16\"/20\"/24\""), {}, false);
        // The Standard page only shows what is derived; the others may be typed over.
        const bool derivedOnly = name == kStandard;
        timeRow(QStringLiteral("Enthusiast"), QStringLiteral("e_time8"), QStringLiteral("4\"/8\"/12\"/16\""),
                QStringLiteral("e_time16"), QStringLiteral("20\"/24\""), QStringLiteral(".Enthusiast"), derivedOnly);
        timeRow(QStringLiteral("Specialist"), QStringLiteral("e_time8"), QStringLiteral("4\"/8\"/12\"/16\"/20\""),
                QStringLiteral("e_time16"), QStringLiteral("24\""), QStringLiteral(".Specialist"), derivedOnly);
        for (const char* field : {"time8", "time16"}) {
            BoundLineEdit* box = page.boxes.value(QLatin1String(field));
            const QString f = QLatin1String(field);
            connect(box, &BoundLineEdit::exited, this, guarded([this, f] { TimeBoxExit(f); }));
        }
    } else if (name == kSnooker) {
        timeRow({}, QStringLiteral("time8"), small, QStringLiteral("time16"), large, {}, false);
    } else if (name == kJackpot) {
        timeRow(QStringLiteral("Opening Time"), QStringLiteral("time8"), small, QStringLiteral("time16"), large, {}, false);
        timeRow(QStringLiteral("Gamble Time"), QStringLiteral("time8_2"), small, QStringLiteral("time16_2"), large, {},
                false);
        timeRow(QStringLiteral("Total Time"), QStringLiteral("time8_3"), small, QStringLiteral("time16_3"), large, {},
                false);
    } else {
        timeRow(QStringLiteral("Point Time"), QStringLiteral("time8"), small, QStringLiteral("time16"), large, {}, true);
        timeRow(QStringLiteral("Total Game Time"), QStringLiteral("time8_2"), small, QStringLiteral("time16_2"), large,
                {}, true);
    }
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);
    layout->addStretch(1);
    m_pages->addTab(page.widget, name);
    return page;
}

void TSCTForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_activated)
        runGuarded([this] { FormActivate(); });
}

void TSCTForm::done(int result)
{
    runGuarded([this] { FormDeactivate(); });
    QDialog::done(result);
}

bool TSCTForm::eventFilter(QObject* watched, QEvent* event)
{
    // Entering a box puts the row into edit state.
    if (event->type() == QEvent::FocusIn && m_rowShown && !m_source->isEditing())
        runGuarded([this] { m_source->edit(); });
    return QDialog::eventFilter(watched, event);
}

void TSCTForm::setTabQuietly(QTabBar* tabs, int index)
{
    ++m_holding;
    tabs->setCurrentIndex(index);
    --m_holding;
}

void TSCTForm::setPageQuietly(int index)
{
    ++m_holding;
    m_pages->setCurrentIndex(index);
    --m_holding;
}

void TSCTForm::FormActivate()
{
    m_activated = true;
    const std::optional<TrialOffer> offer = findTrial(m_dmod, m_trial);
    if (!offer)
        return;
    m_offer = *offer;
    m_key.showNum = m_trial;
    if (m_dmod.TrialDateKey().isEmpty())
        m_dmod.SetTrialDateKey(m_trial);
    const QString trial = data::TrialNumberText(m_trial);
    data::openForTrial(m_dmod, m_dmod.SCTInfo, data::TableId::SCTInfo, trial);
    data::openForTrial(m_dmod, m_dmod.RunOrder, data::TableId::RunOrder, trial);
    m_active = true;
    m_source->setEnabled(false);
    ++m_holding;
    QStringList days;
    for (int day = 1; day <= m_offer.days.size(); ++day)
        days << sctDayCaption(m_offer.firstDate, day);
    resetTabs(m_days, days);
    --m_holding;
    updateButtons();
    if (!m_offer.days.isEmpty())
        showDay(1);
}

void TSCTForm::FormDeactivate()
{
    if (!m_active)
        return;
    m_active = false;
    xbase::Table& sct = m_dmod.SCTInfo;
    if (sct.isOpen()) {
        if (m_source->isEditing()) {
            // A pending edit is kept when its times can be used.
            if (sctTimesRefusal(sct).isEmpty() && sct.post())
                mirrorSctRow(sct, m_key, m_offer.days.value(m_day - 1).available);
            else
                sct.cancel();
        }
        m_source->setEnabled(false);
        sct.close();
    }
}

bool TSCTForm::leaveRow()
{
    if (!m_source->isEditing())
        return true;
    SaveButtonClick();
    return !m_source->isEditing();
}

void TSCTForm::DayTabChange(int index)
{
    if (m_holding || index < 0)
        return;
    if (!leaveRow()) {
        setTabQuietly(m_days, m_day - 1);
        return;
    }
    showDay(index + 1);
}

void TSCTForm::showDay(int day)
{
    m_day = day;
    m_key.day = day;
    QStringList classes;
    for (const RunOrderRow& row : readRunOrderRows(m_dmod.RunOrder))
        if (row.day == QString::number(day))
            classes.append(row.classname);
    const QStringList visible = visibleSctPages(classes);
    int first = -1;
    ++m_holding;   // hiding the selected page moves the selection by itself
    for (int i = 0; i < int(m_pageList.size()); ++i) {
        const bool shown = visible.contains(m_pageList[size_t(i)].name);
        m_pages->setTabVisible(i, shown);
        if (shown && first < 0)
            first = i;
    }
    --m_holding;
    m_pageIndex = first;
    if (first < 0) {
        m_rowShown = false;
        m_source->setEnabled(false);
        return;
    }
    setPageQuietly(first);
    showPage();
}

void TSCTForm::PageChange(int index)
{
    if (m_holding || index < 0 || index == m_pageIndex)
        return;
    if (!leaveRow()) {
        setPageQuietly(m_pageIndex);
        return;
    }
    m_pageIndex = index;
    showPage();
}

TSCTForm::Page* TSCTForm::current()
{
    if (m_pageIndex < 0 || m_pageIndex >= int(m_pageList.size()))
        return nullptr;
    return &m_pageList[size_t(m_pageIndex)];
}

const TSCTForm::Page* TSCTForm::pageOf(const QString& name) const
{
    for (const Page& p : m_pageList)
        if (p.name == name)
            return &p;
    return nullptr;
}

void TSCTForm::showPage()
{
    Page* page = current();
    if (!page)
        return;
    m_key.classname = page->name;
    if (!page->runs) {   // FullHouse: one row for every run and level
        m_key.round = QStringLiteral("1");
        m_key.levelKey = kFullHouseLevels;
        showRow();
        return;
    }
    const DayOffer& offer = m_offer.days[m_day - 1];
    ++m_holding;
    resetTabs(page->runs, runTabsFor(offer.runsOf(runCountCode(page->name))));
    --m_holding;
    m_runIndex = 0;
    m_key.round = QStringLiteral("1");
    buildLevelTabs(*page);
}

void TSCTForm::buildLevelTabs(Page& page)
{
    const QList<LevelTab> tabs = levelTabsFor(page.name, m_offer.days[m_day - 1].available);
    ++m_holding;
    QStringList captions;
    for (const LevelTab& tab : tabs)
        captions << tabText(tab.caption);
    resetTabs(page.levels, captions);
    --m_holding;
    m_levelIndex = 0;
    if (tabs.isEmpty()) {
        // No level offered: no row is looked up.
        m_rowShown = false;
        m_source->setEnabled(false);
        return;
    }
    m_key.levelKey = tabs.first().key;
    showRow();
}

void TSCTForm::RunTabChange(int index)
{
    Page* page = current();
    if (m_holding || index < 0 || !page)
        return;
    if (!leaveRow()) {
        setTabQuietly(page->runs, m_runIndex);
        return;
    }
    m_runIndex = index;
    m_key.round = QString::number(index + 1);
    buildLevelTabs(*page);
}

void TSCTForm::LevelTabChange(int index)
{
    Page* page = current();
    if (m_holding || index < 0 || !page)
        return;
    if (!leaveRow()) {
        setTabQuietly(page->levels, m_levelIndex);
        return;
    }
    const QList<LevelTab> tabs = levelTabsFor(page->name, m_offer.days[m_day - 1].available);
    if (index >= tabs.size())
        return;
    m_levelIndex = index;
    m_key.levelKey = tabs[index].key;
    showRow();
}

void TSCTForm::showRow()
{
    findOrAppendSctRow(m_dmod.SCTInfo, m_key);
    m_rowShown = true;
    m_source->setEnabled(true);
    updateButtons();
}

void TSCTForm::TimeBoxExit(const QString& field)
{
    const Page* page = current();
    if (!page || !m_rowShown || !isStandardType(page->name))
        return;
    xbase::Table& sct = m_dmod.SCTInfo;
    m_source->updateRecord();
    const QString typed = sct.text(field);
    if (readTime(typed).refused()) {
        Dialogs::current().warning(notWholeSecondsText(typed));
        return;
    }
    if (const std::optional<QString> derived = enthusiastTime(page->name, m_offer.firstDate, typed))
        sct.setText(QStringLiteral("e_") + field, *derived);
}

void TSCTForm::SaveButtonClick()
{
    if (!m_source->isEditing())
        return;
    xbase::Table& sct = m_dmod.SCTInfo;
    m_source->updateRecord();
    const QString refusal = sctTimesRefusal(sct);
    if (!refusal.isEmpty()) {
        Dialogs::current().warning(refusal);
        return;
    }
    if (sct.post())
        mirrorSctRow(sct, m_key, m_offer.days[m_day - 1].available);
}

void TSCTForm::CancelButtonClick()
{
    if (m_source->isEditing())
        m_dmod.SCTInfo.cancel();
}

void TSCTForm::CloseButtonClick()
{
    if (!leaveRow())
        return;
    accept();
}

void TSCTForm::updateButtons()
{
    const bool editing = m_source->isEditing();
    m_save->setEnabled(editing);
    m_cancel->setEnabled(editing);
}

QString TSCTForm::page() const
{
    if (m_pageIndex < 0 || m_pageIndex >= int(m_pageList.size()))
        return {};
    return m_pageList[size_t(m_pageIndex)].name;
}

QStringList TSCTForm::visiblePages() const
{
    QStringList list;
    for (int i = 0; i < int(m_pageList.size()); ++i)
        if (m_pages->isTabVisible(i))
            list.append(m_pageList[size_t(i)].name);
    return list;
}

QStringList TSCTForm::dayTabTexts() const
{
    return tabTexts(m_days);
}

QStringList TSCTForm::runTabTexts() const
{
    const Page* p = pageOf(page());
    return p ? tabTexts(p->runs) : QStringList();
}

QStringList TSCTForm::levelTabTexts() const
{
    const Page* p = pageOf(page());
    return p ? tabTexts(p->levels) : QStringList();
}

bool TSCTForm::rowShown() const
{
    return m_rowShown;
}

BoundLineEdit* TSCTForm::box(const QString& page, const QString& name) const
{
    const Page* p = pageOf(page);
    return p ? p->boxes.value(name) : nullptr;
}

QTabBar* TSCTForm::runTabs(const QString& page) const
{
    const Page* p = pageOf(page);
    return p ? p->runs : nullptr;
}

QTabBar* TSCTForm::levelTabs(const QString& page) const
{
    const Page* p = pageOf(page);
    return p ? p->levels : nullptr;
}

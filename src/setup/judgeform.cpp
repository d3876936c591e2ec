#include "setup/judgeform.h"

#include "data/dmod.h"
#include "platform/printing/printjob.h"
#include "platform/system/gendefs.h"
#include "platform/system/textfile.h"
#include "platform/ui/boundlineedit.h"
#include "platform/ui/datasource.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/guard.h"
#include "platform/ui/keypreview.h"
#include "platform/ui/navigator.h"
#include "platform/ui/windowposition.h"
#include "setup/judgelist.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QVBoxLayout>

namespace {

const QString kNameTag = QStringLiteral("NAME");
const QString kStateTag = QStringLiteral("STATE");
const QString kPhoneMask = QStringLiteral("999-999-9999;1; ");

// Caption and field of each edit box, in tab order.
struct Box
{
    const char* caption;
    const char* field;
    bool phone = false;
};
const Box kBoxes[] = {
    {"First Name", "jfirst"},      {"Last Name", "jlast"},         {"Address", "jaddress"},
    {"City", "jcity"},             {"State", "jstate"},            {"Zip Code", "jzip"},
    {"Country", "jcountry"},       {"Phone Number", "clubphone", true},
    {"Work Phone", "clubwork", true}, {"Fax", "clubfax", true},    {"E-Mail", "clubemail"},
    {"Status", "status"},          {"Judge ID", "judge_id"},       {"AGX Judge Code", "judgecode"},
};

class StatusTips : public QObject
{
public:
    StatusTips(QLabel* panel, QObject* parent) : QObject(parent), m_panel(panel) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::StatusTip) {
            m_panel->setText(static_cast<QStatusTipEvent*>(event)->tip());
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLabel* m_panel;
};

} // namespace

Tjudgeform::Tjudgeform(TDmod& dmod, QWidget* parent)
    : QDialog(parent), m_dmod(dmod), m_judges(dmod.Judges)
{
    setWindowTitle(QStringLiteral("Judges Data Base"));
    buildWindow();
    resize(640, 560);
    keepWindowPosition(this);
}

Tjudgeform::~Tjudgeform()
{
    FormDeactivate();
}

void Tjudgeform::buildWindow()
{
    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("&File"));
    connect(file->addAction(QStringLiteral("E&xit")), &QAction::triggered, this, &QDialog::accept);

    QMenu* index = menuBar->addMenu(QStringLiteral("Index"));
    m_lastName = index->addAction(QStringLiteral("Last Name"));
    m_state = index->addAction(QStringLiteral("State"));
    m_lastName->setCheckable(true);
    m_state->setCheckable(true);
    connect(m_lastName, &QAction::triggered, this, guarded([this] { LastName1Click(); }));
    connect(m_state, &QAction::triggered, this, guarded([this] { State1Click(); }));

    QMenu* specials = menuBar->addMenu(QStringLiteral("Specials"));
    m_activateAdd = specials->addAction(QStringLiteral("Activate Add Button"));
    m_showDeletes = specials->addAction(QStringLiteral("Show Deletes"));
    connect(m_activateAdd, &QAction::triggered, this, guarded([this] { ActivateAddButton1Click(); }));
    connect(m_showDeletes, &QAction::triggered, this, guarded([this] { ShowDeletes1Click(); }));

    QMenu* reports = menuBar->addMenu(QStringLiteral("Reports"));
    QAction* listing = reports->addAction(QStringLiteral("Single Line Address List"));
    connect(listing, &QAction::triggered, this, guarded([this] { SingleLineAddressList1Click(); }));
    m_mailingLabels = reports->addAction(QStringLiteral("Mailing Labels"));
    m_mailingLabels->setEnabled(false);   // the judge labels come with the label sheets
    m_mailingLabels->setToolTip(QStringLiteral("Not available yet"));

    m_source = new DataSource(m_judges, this);
    m_source->setMarkDeleted(true);

    // Page 0: the fields.
    auto* fields = new QWidget;
    auto* grid = new QFormLayout;
    for (const Box& b : kBoxes) {
        auto* e = new BoundLineEdit(m_source, QLatin1String(b.field));
        e->setObjectName(QLatin1String(b.field));
        if (b.phone)
            e->setEditMask(kPhoneMask);
        if (QLatin1String(b.field) == QLatin1String("judgecode")) {
            e->setReadOnly(true);
            e->setFocusPolicy(Qt::NoFocus);
        }
        grid->addRow(QLatin1String(b.caption), e);
        m_edits.append(e);
    }
    m_deleted = new QLabel;
    m_deleted->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    auto* note = new QLabel(QStringLiteral("Note:  Any changes here will be wiped-out when new files are downloaded from AGX"));
    note->setWordWrap(true);

    m_find = new QPushButton(QStringLiteral("&Find "));
    m_edit = new QPushButton(QStringLiteral("&Edit"));
    m_save = new QPushButton(QStringLiteral("&Save"));
    m_cancel = new QPushButton(QStringLiteral("&Cancel"));
    m_delete = new QPushButton(QStringLiteral("&Delete"));
    m_add = new QPushButton(QStringLiteral("&Add "));
    m_delete->setToolTip(QStringLiteral("Toggle Deletion of current record"));
    m_delete->setStatusTip(m_delete->toolTip());
    connect(m_find, &QPushButton::clicked, this, guarded([this] { FindButtonClick(); }));
    connect(m_edit, &QPushButton::clicked, this, guarded([this] { EditButtonClick(); }));
    connect(m_save, &QPushButton::clicked, this, guarded([this] { SaveButtonClick(); }));
    connect(m_cancel, &QPushButton::clicked, this, guarded([this] { CancelButtonClick(); }));
    connect(m_delete, &QPushButton::clicked, this, guarded([this] { DeleteButtonClick(); }));
    connect(m_add, &QPushButton::clicked, this, guarded([this] { AddButtonClick(); }));
    m_navigator = new Navigator(m_source);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_navigator);
    for (QPushButton* b : {m_find, m_edit, m_save, m_cancel, m_delete, m_add})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto* fieldsLayout = new QVBoxLayout(fields);
    fieldsLayout->addLayout(buttons);
    fieldsLayout->addWidget(m_deleted);
    fieldsLayout->addLayout(grid);
    fieldsLayout->addWidget(note);
    fieldsLayout->addStretch(1);

    // Page 1: the listing.
    auto* listPage = new QWidget;
    m_text = new QPlainTextEdit;
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setTabStopDistance(QFontMetricsF(m_text->font()).horizontalAdvance(QLatin1Char(' ')) * 12);
    auto* saveFile = new QPushButton(QStringLiteral("Sa&ve to file"));
    auto* copy = new QPushButton(QStringLiteral("Cop&y to Clipboard"));
    auto* print = new QPushButton(QStringLiteral("&Print Listing"));
    auto* closeList = new QPushButton(QStringLiteral("Close &Listing"));
    connect(saveFile, &QPushButton::clicked, this, guarded([this] { SaveToFileClick(); }));
    connect(copy, &QPushButton::clicked, this, guarded([this] { CopyToClipboardClick(); }));
    connect(print, &QPushButton::clicked, this, guarded([this] { PrintListingClick(); }));
    connect(closeList, &QPushButton::clicked, this, guarded([this] { CloseListingClick(); }));
    auto* listButtons = new QHBoxLayout;
    for (QPushButton* b : {saveFile, copy, print, closeList})
        listButtons->addWidget(b);
    listButtons->addStretch(1);
    auto* listLayout = new QVBoxLayout(listPage);
    listLayout->addLayout(listButtons);
    listLayout->addWidget(m_text, 1);

    m_pages = new QStackedWidget;
    m_pages->addWidget(fields);
    m_pages->addWidget(listPage);

    auto* status = new QStatusBar;
    status->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        m_status[i] = new QLabel;
        status->addWidget(m_status[i], i == 0 ? 2 : 1);
    }
    installEventFilter(new StatusTips(m_status[0], this));

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(m_pages, 1);
    layout->addWidget(status);

    m_keys = new KeyPreview(this);
    connect(m_keys, &KeyPreview::saveRequested, this, [this] { m_save->click(); });
    connect(m_keys, &KeyPreview::cancelRequested, this, [this] { m_cancel->click(); });
    connect(m_source, &DataSource::stateChanged, this, [this] { updateButtons(); });
}

void Tjudgeform::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_active)
        runGuarded([this] { FormActivate(); });
}

void Tjudgeform::done(int result)
{
    runGuarded([this] { FormDeactivate(); });
    QDialog::done(result);
}

void Tjudgeform::FormActivate()
{
    m_active = true;
    const GenDefs defs;
    m_keys->setEnterAsTab(defs.enterAsTab());
    m_keys->setPageKeysSave(defs.pgdnAsSave());
    m_keys->setEscapeCancels(defs.pgdnAsSave());
    m_keys->setArrows(defs.pgdnAsSave() ? KeyPreview::Arrows::UpPreviousDownNext : KeyPreview::Arrows::Untouched);

    m_dmod.OpenJudges();
    m_judges.setShowDeleted(false);
    m_showDeletes->setText(QStringLiteral("Show Deletes"));
    m_connections.push_back(m_judges.onAfterScroll([this](xbase::Table&) { afterScroll(); }));
    m_connections.push_back(m_judges.onAfterPost([this](xbase::Table&) { afterScroll(); }));
    m_source->setEnabled(true);
    m_add->setEnabled(false);
    m_status[0]->setText(QStringLiteral("Judges Data Base"));
    setOrder(kNameTag);
    m_judges.first();
    m_pages->setCurrentIndex(0);
    afterScroll();
    updateButtons();
}

void Tjudgeform::FormDeactivate()
{
    if (!m_active)
        return;
    m_active = false;
    for (xbase::Table::Connection c : m_connections)
        m_judges.detach(c);
    m_connections.clear();
    m_source->setEnabled(false);
    if (m_judges.isOpen()) {
        if (m_judges.state() != xbase::Table::State::Browse)
            m_judges.cancel();
        m_judges.close();
    }
}

QString Tjudgeform::orderName() const
{
    return m_judges.currentTag().compare(kStateTag, Qt::CaseInsensitive) == 0 ? QStringLiteral("State Code")
                                                                             : QStringLiteral("Last Name");
}

void Tjudgeform::setOrder(const QString& tag)
{
    m_judges.setCurrentTag(tag);
    const bool byState = tag == kStateTag;
    m_lastName->setChecked(!byState);
    m_state->setChecked(byState);
    m_status[2]->setText(byState ? QStringLiteral("Current Index is State") : QStringLiteral("Current Index is Last Name"));
    afterScroll();
}

void Tjudgeform::LastName1Click()
{
    setOrder(kNameTag);
}

void Tjudgeform::State1Click()
{
    setOrder(kStateTag);
}

void Tjudgeform::afterScroll()
{
    if (!m_judges.isOpen())
        return;
    m_status[1]->setText(QStringLiteral("Rec # ") + QString::number(m_judges.recNo()).rightJustified(5)
                         + QStringLiteral(" / ") + QString::number(m_judges.recordCount()).rightJustified(5));
    const bool deleted = m_judges.recNo() > 0 && m_judges.isDeleted();
    m_deleted->setText(deleted ? QStringLiteral("DELETED") : QString());
    m_delete->setText(deleted ? QStringLiteral("UnDelete") : QStringLiteral("Delete"));
}

void Tjudgeform::updateButtons()
{
    const bool editing = m_source->isEditing();
    m_save->setEnabled(editing);
    m_cancel->setEnabled(editing);
}

QString Tjudgeform::statusText(int panel) const
{
    return m_status[panel]->text();
}

QString Tjudgeform::deletedText() const
{
    return m_deleted->text();
}

BoundLineEdit* Tjudgeform::edit(const QString& field) const
{
    for (BoundLineEdit* e : m_edits)
        if (e->objectName() == field)
            return e;
    return nullptr;
}

void Tjudgeform::FindButtonClick()
{
    const QString order = orderName();
    const std::optional<QString> answer =
        Dialogs::current().input(QStringLiteral("Find"), QStringLiteral("Enter ") + order + QStringLiteral(" to find: "),
                                 m_lastFind, true);
    if (!answer)
        return;
    m_lastFind = *answer;
    const QString wanted = answer->trimmed().toUpper();
    const quint32 was = m_judges.recNo();
    if (!wanted.isEmpty() && m_judges.seek(wanted, xbase::SeekMode::Partial))
        return;
    if (was > 0)
        m_judges.go(was);
    else
        m_judges.first();
    Dialogs::current().message(QStringLiteral("Could not find ") + order + QLatin1Char(' ') + wanted,
                               MessageIcon::Information);
}

void Tjudgeform::EditButtonClick()
{
    m_source->edit();
}

void Tjudgeform::SaveButtonClick()
{
    if (!m_source->isEditing())
        return;
    m_source->updateRecord();
    m_judges.post();
}

void Tjudgeform::CancelButtonClick()
{
    if (m_source->isEditing())
        m_judges.cancel();
}

void Tjudgeform::DeleteButtonClick()
{
    if (m_judges.recNo() == 0)
        return;
    if (m_source->isEditing()) {
        m_source->updateRecord();
        m_judges.post();
    }
    m_judges.toggleDeleted();
    m_judges.refresh();
    afterScroll();
    for (BoundLineEdit* e : m_edits)
        setDeletedLook(e, m_judges.isDeleted());
}

void Tjudgeform::AddButtonClick()
{
    m_judges.append();
    if (BoundLineEdit* first = edit(QStringLiteral("jfirst")))
        first->setFocus();
}

void Tjudgeform::ActivateAddButton1Click()
{
    m_add->setEnabled(true);
}

void Tjudgeform::ShowDeletes1Click()
{
    const bool show = !m_judges.showDeleted();
    m_judges.setShowDeleted(show);
    m_showDeletes->setText(show ? QStringLiteral("Hide Deletes") : QStringLiteral("Show Deletes"));
    if (!m_judges.isVisible())
        m_judges.first();
    afterScroll();
}

void Tjudgeform::SingleLineAddressList1Click()
{
    xbase::ScanCursor judges = m_judges.scan();
    judges.setCurrentTag(m_judges.currentTag());
    m_listing = setup::judgeAddressLines(judges);
    m_text->setPlainText(listingText());
    m_pages->setCurrentIndex(1);
}

QString Tjudgeform::listingText() const
{
    return m_listing.join(QLatin1Char('\n'));
}

bool Tjudgeform::listingShown() const
{
    return m_pages->currentIndex() == 1;
}

void Tjudgeform::SaveToFileClick()
{
    FileRequest request;
    request.title = QStringLiteral("Save As");
    request.filter = QStringLiteral("Text files (*.txt)|*.txt");
    request.defaultExtension = QStringLiteral("txt");
    const std::optional<QString> path = Dialogs::current().saveFile(request);
    if (path)
        writeTextLines(withDefaultExtension(*path, request.defaultExtension), m_listing);
}

void Tjudgeform::CopyToClipboardClick()
{
    QGuiApplication::clipboard()->setText(listingText());
}

void Tjudgeform::PrintListingClick()
{
    JobRequest request;
    request.title = setup::kJudgeListTitle;
    request.orientation = QPageLayout::Portrait;
    const QStringList lines = m_listing;
    printDocument(request, [lines](Canvas& canvas) { setup::drawJudgeAddressList(canvas, lines); }, this);
}

void Tjudgeform::CloseListingClick()
{
    m_pages->setCurrentIndex(0);
}

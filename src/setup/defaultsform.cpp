#include "setup/defaultsform.h"

#include "data/dmod.h"
#include "platform/system/gendefs.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/guard.h"
#include "platform/ui/windowposition.h"
#include "platform/xbase/error.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kUnknown = QStringLiteral("Unknown");
const QString kClubInfo = QStringLiteral("ClubInfo");
const QString kSecretaryInfo = QStringLiteral("SecretaryInfo");
const QString kPreferences = QStringLiteral("Preferences");
const char* const kSecretaryKeys[] = {"Name", "Address", "City", "State", "Zip", "Phone", "Email"};
const char* const kSecretaryCaptions[] = {"Secretary's Name", "Address", "City", "State", "Zip",
                                          "Phone Number", "Email Address"};
constexpr int kCommentLength = 105;

QLabel* note(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void sortItems(QList<defaults::ClubItem>& items)
{
    std::stable_sort(items.begin(), items.end(), [](const defaults::ClubItem& a, const defaults::ClubItem& b) {
        return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
    });
}

} // namespace

namespace defaults {

ClubLists readClubs(xbase::Table& hostClubs)
{
    ClubLists lists;
    xbase::ScanCursor scan = hostClubs.scan();
    scan.setShowDeleted(true);
    for (scan.first(); !scan.eof(); scan.next()) {
        const QString name = scan.trimmed("club_name");
        if (name.isEmpty())
            continue;
        lists.names.append({name, scan.recNo()});
        lists.codes.append({scan.trimmed("club_code"), scan.recNo()});
    }
    sortItems(lists.names);
    sortItems(lists.codes);
    return lists;
}

QString secretaryPreview(const SecretaryFields& f)
{
    auto part = [](const QString& value, const QString& after, const QString& missing) {
        const QString v = value.trimmed();
        return v == kUnknown ? missing : v + after;
    };
    return part(f.name, QStringLiteral("     "), QStringLiteral("Secretary Name     "))
        + part(f.address, QStringLiteral("   "), QStringLiteral("Address   "))
        + part(f.city, QStringLiteral(", "), QStringLiteral("City, "))
        + part(f.state, QStringLiteral("  "), QStringLiteral("State  "))
        + part(f.zip, QStringLiteral("     "), QStringLiteral("Zip     "))
        + part(f.phone, QStringLiteral("     "), QStringLiteral("Phone     "))
        + part(f.email, QString(), QStringLiteral("Email"));
}

int armbandCreationItem(const QString& storedArmbands)
{
    const QString mode = storedArmbands.trimmed().toUpper();
    if (mode.startsWith(QLatin1Char('A')))
        return 0;
    if (mode.startsWith(QLatin1Char('M')))
        return 1;
    return -1;
}

int armbandDigitsItem(int digits)
{
    return digits == 2 ? 0 : digits == 3 ? 1 : -1;
}

} // namespace defaults

TDefaultsForm::TDefaultsForm(TDmod& dmod, QWidget* parent) : QDialog(parent), m_dmod(dmod)
{
    setObjectName(QStringLiteral("DefaultsForm"));
    setWindowTitle(QStringLiteral("AGX Trial Secretary Default Settings"));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(buildClubPage(), QStringLiteral("Club Info"));
    PageControl1->addTab(buildSecretaryPage(), QStringLiteral("Secretary Info"));
    PageControl1->addTab(buildPreferencesPage(), QStringLiteral("Preferences"));
    PageControl1->addTab(buildSlipsPage(), QStringLiteral("Exhibitor Slips"));

    auto* okay = new QPushButton(QStringLiteral("&Okay "), this);
    okay->setObjectName(QStringLiteral("OkayButton"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel "), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto* help = new QPushButton(QStringLiteral("&Help "), this);
    help->setObjectName(QStringLiteral("HelpButton"));
    ApplyButton = new QPushButton(QStringLiteral("&Apply"), this);
    ApplyButton->setObjectName(QStringLiteral("ApplyButton"));
    ApplyButton->setEnabled(false);
    for (QPushButton* b : {okay, cancel, help, ApplyButton})
        b->setAutoDefault(false);
    connect(okay, &QPushButton::clicked, this, guarded([this] { OkayButtonClick(); }));
    connect(cancel, &QPushButton::clicked, this, guarded([this] { CancelButtonClick(); }));
    connect(help, &QPushButton::clicked, this, guarded([this] { HelpButtonClick(); }));
    connect(ApplyButton, &QPushButton::clicked, this, guarded([this] { ApplyButtonClick(); }));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {okay, cancel, help, ApplyButton})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);

    resize(560, 400);
    keepWindowPosition(this);
}

TDefaultsForm::~TDefaultsForm() = default;

QWidget* TDefaultsForm::buildClubPage()
{
    auto* page = new QWidget;
    ClubNameBox = new QComboBox(page);
    ClubNameBox->setObjectName(QStringLiteral("ClubNameBox"));
    ClubNameBox->setEditable(false);
    ClubNameBox->setMinimumContentsLength(40);
    connect(ClubNameBox, &QComboBox::activated, this, [this](int index) { runGuarded([&] { ClubNameChoose(index); }); });

    ClubIdLabel = new QLabel(QStringLiteral("Club ID"), page);
    ClubIdLabel->setObjectName(QStringLiteral("ClubIdLabel"));
    ClubIdLabel->setTextFormat(Qt::PlainText);
    ClubIdLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ClubIdLabel->setMinimumWidth(120);

    AbbreviationEdit = new QLineEdit(page);
    AbbreviationEdit->setObjectName(QStringLiteral("AbbreviationEdit"));
    connect(AbbreviationEdit, &QLineEdit::textEdited, this, [this] { changed(); });

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Club Name"), page));
    layout->addWidget(ClubNameBox);
    layout->addWidget(note(QStringLiteral("This is also the Club Name that will be printed on the reports.  "
                                          "If incorrect, you must contact AGX to get it changed."), page));
    auto* idRow = new QHBoxLayout;
    idRow->addWidget(ClubIdLabel);
    idRow->addWidget(note(QStringLiteral("AGX has assigned specific codes for Club's within their registration "
                                         "system.  Please select your Club's Name from the list and the Club ID "
                                         "will be filled in.  Required when Results are submitted on disk to AGX."),
                          page), 1);
    layout->addLayout(idRow);
    auto* abbrRow = new QHBoxLayout;
    abbrRow->addWidget(AbbreviationEdit);
    abbrRow->addWidget(note(QStringLiteral("Specify an Abbreviation for your Club to be used in the Subject Line "
                                           "of Confirmation Emails"), page), 1);
    layout->addLayout(abbrRow);
    layout->addStretch();
    return page;
}

QWidget* TDefaultsForm::buildSecretaryPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    for (int i = 0; i < 7; ++i) {
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QStringLiteral("Secretary%1Edit").arg(QLatin1String(kSecretaryKeys[i])));
        connect(edit, &QLineEdit::textEdited, this, [this] { changed(); });
        form->addRow(QString::fromLatin1(kSecretaryCaptions[i]), edit);
        m_secretary.append(edit);
    }
    return page;
}

QWidget* TDefaultsForm::buildPreferencesPage()
{
    auto* page = new QWidget;
    auto* editing = new QGroupBox(QStringLiteral("Editing"), page);
    EnterAsTabBox = new QCheckBox(QStringLiteral("Enter same as Tab"), editing);
    EnterAsTabBox->setObjectName(QStringLiteral("EnterAsTabBox"));
    PgdnAsSaveBox = new QCheckBox(QStringLiteral("PageDown Key same as Save"), editing);
    PgdnAsSaveBox->setObjectName(QStringLiteral("PgdnAsSaveBox"));
    for (QCheckBox* box : {EnterAsTabBox, PgdnAsSaveBox})
        connect(box, &QCheckBox::clicked, this, [this] { changed(); });
    auto* editingLayout = new QVBoxLayout(editing);
    editingLayout->addWidget(EnterAsTabBox);
    editingLayout->addWidget(PgdnAsSaveBox);

    auto radioGroup = [&](const QString& title, const QString& name, const QStringList& captions, QButtonGroup*& group) {
        auto* box = new QGroupBox(title, page);
        box->setObjectName(name);
        group = new QButtonGroup(box);
        auto* boxLayout = new QVBoxLayout(box);
        for (int i = 0; i < captions.size(); ++i) {
            auto* radio = new QRadioButton(captions[i], box);
            radio->setObjectName(name + QString::number(i));
            group->addButton(radio, i);
            boxLayout->addWidget(radio);
        }
        connect(group, &QButtonGroup::idClicked, this, [this] { changed(); });
        return box;
    };
    QGroupBox* creation = radioGroup(QStringLiteral("Armband Creation"), QStringLiteral("ArmbandCreation"),
                                     {QStringLiteral("Automatic - Height Order after all Entries are inputted"),
                                      QStringLiteral("Manual - after all Entries are inputted")},
                                     m_creation);
    QGroupBox* digits = radioGroup(QStringLiteral("Armband Numbers"), QStringLiteral("ArmbandNumbers"),
                                   {QStringLiteral("Height +  2 digits  (1204)"),
                                    QStringLiteral("Height +  3 digits  (12004)")},
                                   m_digitsGroup);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(editing);
    layout->addWidget(creation);
    layout->addWidget(digits);
    layout->addWidget(note(QStringLiteral("Armband numbers can always be modified manually under any Option."), page));
    layout->addStretch();
    return page;
}

QWidget* TDefaultsForm::buildSlipsPage()
{
    auto* page = new QWidget;
    CommentEdit = new QLineEdit(page);
    CommentEdit->setObjectName(QStringLiteral("CommentEdit"));
    CommentEdit->setMaxLength(kCommentLength);
    CommentEdit->installEventFilter(this);
    connect(CommentEdit, &QLineEdit::textEdited, this, [this] { changed(); });

    SecretaryLineLabel = new QLabel(page);
    SecretaryLineLabel->setObjectName(QStringLiteral("SecretaryLineLabel"));
    SecretaryLineLabel->setTextFormat(Qt::PlainText);
    SecretaryLineLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SecretaryLineLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* reset = new QPushButton(QStringLiteral("Reset Default"), page);
    reset->setObjectName(QStringLiteral("ResetDefaultButton"));
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, guarded([this] { ResetDefaultClick(); }));

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(note(QStringLiteral("Currently, at the bottom of each Exhibitor Slip, there is a comment line "
                                          "and a line showing the Secretary's information.   The Secretary line is "
                                          "automatically created from the Secretary Info page.  The Comment Line can "
                                          "be modified.    "), page));
    layout->addWidget(new QLabel(QStringLiteral("Feel free to modify here"), page));
    layout->addWidget(new QLabel(QStringLiteral("Comment Line"), page));
    layout->addWidget(CommentEdit);
    auto* resetRow = new QHBoxLayout;
    resetRow->addStretch();
    resetRow->addWidget(reset);
    layout->addLayout(resetRow);
    layout->addWidget(new QLabel(QStringLiteral("Secretary Line"), page));
    layout->addWidget(SecretaryLineLabel);
    layout->addWidget(new QLabel(QStringLiteral("Go to the Secretary Info Tab to change data"), page));
    layout->addStretch();
    return page;
}

void TDefaultsForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Loaded once per opening: coming back from a message box must not throw away what
    // has been typed and not yet applied.
    if (!m_loaded)
        runGuarded([this] { FormActivate(); });
}

bool TDefaultsForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == CommentEdit && event->type() == QEvent::FocusIn)
        changed();
    return QDialog::eventFilter(watched, event);
}

void TDefaultsForm::changed()
{
    ApplyButton->setEnabled(true);
}

void TDefaultsForm::FormActivate()
{
    m_loaded = true;
    GenDefs settings;
    IniFile& ini = settings.ini();

    CommentEdit->clear();
    ClubNameBox->clear();
    m_clubs = {};
    try {
        m_dmod.OpenHostClubs();
        m_clubs = defaults::readClubs(m_dmod.HostClubs);
    } catch (const xbase::Error& e) {
        // Without AGX's club list the stored club stays as it is.
        Dialogs::current().error(e.message());
    }
    for (const defaults::ClubItem& item : std::as_const(m_clubs.names))
        ClubNameBox->addItem(item.text, item.recNo);
    ClubNameBox->setCurrentIndex(-1);

    m_clubName = ini.readString(kClubInfo, QStringLiteral("ClubName"), kUnknown);
    AbbreviationEdit->setText(ini.readString(kClubInfo, QStringLiteral("ClubAbbreviation"), kUnknown));
    m_clubId = ini.readString(kClubInfo, QStringLiteral("ClubID"), kUnknown);
    showClubId();
    if (m_clubId.trimmed().toUpper() != QLatin1String("UNKNOWN")) {
        const auto code = std::find_if(m_clubs.codes.cbegin(), m_clubs.codes.cend(),
                                       [&](const defaults::ClubItem& c) { return c.text == m_clubId; });
        if (code != m_clubs.codes.cend() && m_dmod.HostClubs.go(code->recNo)) {
            // Of equal names, the one of this very record.
            const QString name = m_dmod.HostClubs.trimmed("club_name");
            int index = ClubNameBox->findData(code->recNo);
            if (index < 0 || ClubNameBox->itemText(index) != name)
                index = ClubNameBox->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
            ClubNameBox->setCurrentIndex(index);
        }
    }

    for (int i = 0; i < 7; ++i)
        m_secretary[i]->setText(ini.readString(kSecretaryInfo, QLatin1String(kSecretaryKeys[i]), kUnknown));

    QString line = ini.readString(kPreferences, QStringLiteral("Line1"), kUnknown);
    if (line.trimmed() == kUnknown)
        line = defaults::kDefaultCommentLine;
    CommentEdit->setText(line);
    CommentEdit->setCursorPosition(0);

    buildPreview();

    EnterAsTabBox->setChecked(ini.readBool(kPreferences, QStringLiteral("EnterAsTab"), false));
    PgdnAsSaveBox->setChecked(ini.readBool(kPreferences, QStringLiteral("PgdnAsSave"), false));

    m_armbands = ini.readString(kPreferences, QStringLiteral("Armbands"), QStringLiteral("AfterAutomatic")).trimmed().toUpper();
    if (QAbstractButton* b = m_creation->button(defaults::armbandCreationItem(m_armbands)))
        b->setChecked(true);
    m_digits = ini.readInteger(kPreferences, QStringLiteral("Digits"), 2);
    if (QAbstractButton* b = m_digitsGroup->button(defaults::armbandDigitsItem(m_digits)))
        b->setChecked(true);

    ApplyButton->setEnabled(false);
}

void TDefaultsForm::showClubId()
{
    // "Club ID" stands in the label until a club is known.
    const bool known = m_clubId.trimmed().toUpper() != QLatin1String("UNKNOWN");
    ClubIdLabel->setText(known ? m_clubId : QStringLiteral("Club ID"));
}

void TDefaultsForm::ClubNameChoose(int index)
{
    const quint32 recNo = ClubNameBox->itemData(index).toUInt();
    if (recNo > 0 && m_dmod.HostClubs.isOpen() && m_dmod.HostClubs.go(recNo)) {
        m_clubId = m_dmod.HostClubs.trimmed("club_code");
        m_clubName = m_dmod.HostClubs.trimmed("club_name");
    } else {
        m_clubId = kUnknown;
    }
    ClubIdLabel->setText(m_clubId);
    changed();
}

defaults::SecretaryFields TDefaultsForm::secretaryFields() const
{
    return {m_secretary[0]->text(), m_secretary[1]->text(), m_secretary[2]->text(), m_secretary[3]->text(),
            m_secretary[4]->text(), m_secretary[5]->text(), m_secretary[6]->text()};
}

void TDefaultsForm::buildPreview()
{
    SecretaryLineLabel->setText(defaults::secretaryPreview(secretaryFields()));
}

void TDefaultsForm::ResetDefaultClick()
{
    CommentEdit->setText(defaults::kDefaultCommentLine);
    changed();
    ApplyButton->setFocus();
}

void TDefaultsForm::ApplyButtonClick()
{
    GenDefs settings;
    IniFile& ini = settings.ini();
    ini.writeString(kClubInfo, QStringLiteral("ClubName"), m_clubName);
    ini.writeString(kClubInfo, QStringLiteral("ClubAbbreviation"), AbbreviationEdit->text());
    ini.writeString(kClubInfo, QStringLiteral("ClubID"), m_clubId);
    for (int i = 0; i < 7; ++i)
        ini.writeString(kSecretaryInfo, QLatin1String(kSecretaryKeys[i]), m_secretary[i]->text());
    ini.writeString(kPreferences, QStringLiteral("Line1"), CommentEdit->text());
    ini.writeBool(kPreferences, QStringLiteral("EnterAsTab"), EnterAsTabBox->isChecked());
    ini.writeBool(kPreferences, QStringLiteral("PgdnAsSave"), PgdnAsSaveBox->isChecked());
    const int creation = m_creation->checkedId();
    if (creation == 0)
        m_armbands = QStringLiteral("AfterAutomatic");
    else if (creation == 1)
        m_armbands = QStringLiteral("Manual");
    ini.writeString(kPreferences, QStringLiteral("Armbands"), m_armbands);
    const int digits = m_digitsGroup->checkedId();
    if (digits >= 0)
        m_digits = digits == 0 ? 2 : 3;
    ini.writeInteger(kPreferences, QStringLiteral("Digits"), m_digits);

    buildPreview();
    ApplyButton->setEnabled(false);
}

void TDefaultsForm::OkayButtonClick()
{
    if (ApplyButton->isEnabled())
        ApplyButtonClick();
    accept();
}

void TDefaultsForm::CancelButtonClick()
{
    reject();
}

void TDefaultsForm::HelpButtonClick()
{
    Dialogs::current().information(QStringLiteral("Still working on"));
}

#include "entries/heightchangeform.h"

#include "data/dmod.h"
#include "platform/system/errors.h"
#include "platform/system/gendefs.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/guard.h"
#include "platform/ui/keypreview.h"
#include "platform/ui/windowposition.h"
#include "platform/xbase/table.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr std::array<int, 6> kHeights{4, 8, 12, 16, 20, 24};
}

THeightChangeForm::THeightChangeForm(TDmod& dmod, int trialNumber, QWidget* parent)
    : QDialog(parent), m_dmod(dmod), m_trial(trialNumber)
{
    setObjectName(QStringLiteral("HeightChangeForm"));
    setWindowTitle(QStringLiteral("Height Changes/Corrections"));
    GenDefs settings;
    m_digits = settings.digits();
    m_savedTag = m_dmod.TzDbf1.currentTag();
    buildWindow();
    auto* keys = new KeyPreview(this);
    keys->setEnterAsTab(settings.enterAsTab());
    keepWindowPosition(this);
    showDog(false);
}

THeightChangeForm::~THeightChangeForm() = default;

void THeightChangeForm::buildWindow()
{
    auto* layout = new QVBoxLayout(this);

    auto* find = new QGridLayout;
    find->addWidget(new QLabel(QStringLiteral("Enter the Exhibitor's  CURRENT Armband # (numbers only)"), this), 0, 0);
    m_current = new QLineEdit(this);
    m_current->setObjectName(QStringLiteral("CurrentArmbandEdit"));
    m_current->setMaxLength(6);
    m_current->installEventFilter(this);
    find->addWidget(m_current, 0, 1);
    m_callName = new QLabel(this);
    m_callName->setObjectName(QStringLiteral("CallNameLabel"));
    m_owner = new QLabel(this);
    m_owner->setObjectName(QStringLiteral("OwnerLabel"));
    m_owner->setTextFormat(Qt::PlainText);
    m_id = new QLabel(this);
    m_id->setObjectName(QStringLiteral("IdLabel"));
    m_category = new QLabel(this);
    m_category->setObjectName(QStringLiteral("CategoryLabel"));
    find->addWidget(m_callName, 1, 0);
    find->addWidget(m_owner, 2, 0);
    find->addWidget(m_id, 3, 0);
    find->addWidget(m_category, 1, 1);
    layout->addLayout(find);

    m_heights = new QGroupBox(QStringLiteral(" New "), this);
    m_heights->setObjectName(QStringLiteral("HeightGroup"));
    m_heights->installEventFilter(this);
    auto* heights = new QHBoxLayout(m_heights);
    auto* caption = new QVBoxLayout;
    caption->addWidget(new QLabel(QStringLiteral("REGULAR"), m_heights));
    caption->addWidget(new QLabel(QStringLiteral("Jump Height"), m_heights));
    heights->addLayout(caption);
    m_heightGroup = new QButtonGroup(this);
    for (size_t i = 0; i < kHeights.size(); ++i) {
        auto* radio = new QRadioButton(QString::number(kHeights[i]) + QLatin1Char('"'), m_heights);
        radio->setObjectName(QStringLiteral("Height%1").arg(kHeights[i]));
        m_heightGroup->addButton(radio, kHeights[i]);
        heights->addWidget(radio);
        m_radios[i] = radio;
    }
    layout->addWidget(m_heights);

    auto* newRow = new QHBoxLayout;
    newRow->addWidget(new QLabel(QStringLiteral("NEW Armband # (numbers only)"), this));
    m_new = new QLineEdit(this);
    m_new->setObjectName(QStringLiteral("NewArmbandEdit"));
    m_new->setReadOnly(true);
    m_new->setFocusPolicy(Qt::NoFocus);
    newRow->addWidget(m_new);
    layout->addLayout(newRow);

    auto* buttons = new QHBoxLayout;
    m_modify = new QPushButton(QStringLiteral("&Modify Records"), this);
    m_modify->setObjectName(QStringLiteral("ModifyButton"));
    m_clear = new QPushButton(QStringLiteral("&Clear Fields"), this);
    m_clear->setObjectName(QStringLiteral("ClearButton"));
    m_close = new QPushButton(QStringLiteral("Cl&ose"), this);
    m_close->setObjectName(QStringLiteral("CloseButton"));
    for (QPushButton* b : {m_modify, m_clear, m_close}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(m_modify, &QPushButton::clicked, this, guarded([this] { ModifyRecordsClick(); }));
    connect(m_clear, &QPushButton::clicked, this, guarded([this] { ClearFieldsClick(); }));
    connect(m_close, &QPushButton::clicked, this, guarded([this] { CloseClick(); }));

    for (const char* line : {"Use this to change or correct an exhibitor's height.  A NEW Armband # will ",
                             "be automatically assigned. All internal codes used for sorting will be modified. ",
                             "This will also automatically modify their  Veteran , Enthusiast or  Specialist   ",
                             "Jump Height  based on their new measured height."})
        layout->addWidget(new QLabel(QString::fromLatin1(line), this));
}

QRadioButton* THeightChangeForm::heightRadio(int inches) const
{
    for (size_t i = 0; i < kHeights.size(); ++i)
        if (kHeights[i] == inches)
            return m_radios[i];
    return nullptr;
}

int THeightChangeForm::checkedHeight() const
{
    const int id = m_heightGroup->checkedId();
    return id > 0 ? id : 0;
}

void THeightChangeForm::showDog(bool shown)
{
    for (QLabel* l : {m_callName, m_owner, m_id, m_category})
        l->setVisible(shown);
    if (!shown)
        m_category->clear();
}

bool THeightChangeForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_current && event->type() == QEvent::FocusOut) {
        // Only a move to another control of the window looks the armband up: not the window
        // going to the back or closing, and not leaving for Close.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
            && QApplication::focusWidget() != m_close)
            runGuarded([this] { CurrentArmbandExit(); });
    } else if (watched == m_heights && event->type() == QEvent::MouseButtonPress) {
        m_modify->setFocus();
    }
    return QDialog::eventFilter(watched, event);
}

bool THeightChangeForm::CurrentArmbandExit()
{
    xbase::Table& entries = m_dmod.TzDbf1;
    const QString typed = m_current->text();
    if (m_dog != 0 && typed == m_dogArmband)
        return true;   // the dog on show already
    m_dog = 0;
    m_dogArmband.clear();
    showDog(false);
    if (!heightchange::findDog(entries, typed)) {
        Dialogs::current().warning(heightchange::text::notFound());
        m_current->setFocus();
        return false;
    }
    m_dog = entries.recNo();
    m_dogArmband = typed;
    m_categoryOfDog = heightchange::categoryOf(entries);
    m_callName->setText(entries.trimmed(QStringLiteral("call_name")));
    m_owner->setText(heightchange::ownerCaption(entries));
    m_id->setText(entries.trimmed(QStringLiteral("mem_dog_id")));
    m_category->setText(heightchange::categoryCaption(m_categoryOfDog));
    showDog(true);
    if (QAbstractButton* b = m_heightGroup->checkedButton())
        b->setFocus();
    else
        m_radios[0]->setFocus();
    return true;
}

bool THeightChangeForm::ModifyRecordsClick()
{
    const int height = checkedHeight();
    if (height == 0) {
        Dialogs::current().warning(heightchange::text::noHeight());
        m_modify->setFocus();
        return false;
    }
    // The button may be reached without the armband edit being left (or after it was changed).
    if (m_dog == 0 || m_current->text() != m_dogArmband) {
        if (!CurrentArmbandExit())
            return false;
    }
    xbase::Table& entries = m_dmod.TzDbf1;
    if (!entries.go(m_dog))
        throw AppError(heightchange::text::notFound());

    xbase::Table* results = nullptr;
    bool openedResults = false;
    const QString trial = data::TrialNumberText(m_trial);
    if (m_dmod.ResultsExists(trial)) {
        openedResults = !m_dmod.Results.isOpen();
        m_dmod.OpenResults(trial);
        results = &m_dmod.Results;
    }
    std::optional<heightchange::Change> change;
    try {
        change = heightchange::changeHeight(entries, results, height, m_digits);
    } catch (...) {
        if (openedResults)
            m_dmod.Results.close();
        throw;
    }
    if (openedResults)
        m_dmod.Results.close();
    if (!change)
        return false;

    m_new->setText(change->newArmband);
    Dialogs::current().information(heightchange::text::changed(m_dogArmband));
    // The dog now goes by its new armband: a second change starts from there.
    m_dogArmband = change->newArmband;
    m_current->setText(change->newArmband);
    m_clear->setFocus();
    return true;
}

void THeightChangeForm::ClearFieldsClick()
{
    m_current->clear();
    m_new->clear();
    m_dog = 0;
    m_dogArmband.clear();
    showDog(false);
    m_heightGroup->setExclusive(false);
    for (QRadioButton* r : m_radios)
        r->setChecked(false);
    m_heightGroup->setExclusive(true);
    m_current->setFocus();
}

void THeightChangeForm::CloseClick()
{
    reject();
}

void THeightChangeForm::done(int result)
{
    runGuarded([this] {
        xbase::Table& entries = m_dmod.TzDbf1;
        if (entries.isOpen())
            entries.setCurrentTag(m_savedTag);
    });
    QDialog::done(result);
}

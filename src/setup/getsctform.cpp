#include "setup/getsctform.h"

#include "platform/system/gendefs.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/guard.h"
#include "platform/ui/keypreview.h"
#include "platform/ui/windowposition.h"
#include "platform/xbase/record.h"
#include "setup/sctrules.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kCaptions[] = {"Day", "Class Name", "Round", "Level"};
const char* const kFields[] = {"day_num", "classname", "round", "levels"};

} // namespace

TGetSCTForm::TGetSCTForm(const xbase::RecordView& row, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Missing SCT Info"));

    auto* ids = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto* box = new QLineEdit(row.trimmed(QLatin1String(kFields[i])));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setObjectName(QLatin1String(kCaptions[i]));
        ids->addWidget(new QLabel(QLatin1String(kCaptions[i])), 0, i);
        ids->addWidget(box, 1, i);
        m_shown.append(box);
    }

    auto* sct = new QGroupBox(QStringLiteral("SCT Info"));
    auto* grid = new QGridLayout(sct);
    m_small = new QLineEdit(row.trimmed(QStringLiteral("time8")));
    m_large = new QLineEdit(row.trimmed(QStringLiteral("time16")));
    grid->addWidget(new QLabel(QStringLiteral("4\"/8\"/12\"")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("16\"/20\"/24\"")), 0, 1);
    grid->addWidget(m_small, 1, 0);
    grid->addWidget(m_large, 1, 1);

    auto* text1 = new QLabel(QStringLiteral("Enter the SCT to continue HIT processing, otherwise click Abort"));
    auto* text2 = new QLabel(QStringLiteral(
        "The SCT info must still be entered regulary later thru Enter Results on the correct PC for next time."));
    text2->setWordWrap(true);

    auto* okay = new QPushButton(QStringLiteral("Okay"));
    auto* abort = new QPushButton(QStringLiteral("Abort"));
    okay->setAutoDefault(false);
    abort->setAutoDefault(false);
    connect(okay, &QPushButton::clicked, this, guarded([this] { OkayButtonClick(); }));
    connect(abort, &QPushButton::clicked, this, guarded([this] { AbortButtonClick(); }));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okay);
    buttons->addWidget(abort);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(ids);
    layout->addWidget(text1);
    layout->addWidget(text2);
    layout->addWidget(sct);
    layout->addLayout(buttons);

    m_keys = new KeyPreview(this);
    m_keys->setEnterAsTab(GenDefs().enterAsTab());
    setTabOrder(m_small, m_large);
    setTabOrder(m_large, okay);
    setTabOrder(okay, abort);
    m_small->setFocus();
    keepWindowPosition(this);
}

std::optional<TGetSCTForm::Times> TGetSCTForm::ask(const xbase::RecordView& row, QWidget* parent)
{
    TGetSCTForm form(row, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.times();
}

TGetSCTForm::Times TGetSCTForm::times() const
{
    return {m_small->text().trimmed(), m_large->text().trimmed()};
}

QString TGetSCTForm::shown(const QString& caption) const
{
    for (QLineEdit* box : m_shown)
        if (box->objectName() == caption)
            return box->text();
    return {};
}

void TGetSCTForm::OkayButtonClick()
{
    for (QLineEdit* box : {m_small, m_large}) {
        const setup::TimeValue time = setup::readTime(box->text());
        if (time.refused()) {
            Dialogs::current().warning(setup::notWholeSecondsText(box->text()));
            box->setFocus();
            return;
        }
        // A percentage needs a course time to divide by.
        if (!time.seconds || *time.seconds == 0) {
            Dialogs::current().warning(QStringLiteral("Both course times are needed to continue HIT processing."));
            box->setFocus();
            return;
        }
    }
    accept();
}

void TGetSCTForm::AbortButtonClick()
{
    reject();
}

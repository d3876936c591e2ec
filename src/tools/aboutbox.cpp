#include "tools/aboutbox.h"

#include "platform/system/version.h"
#include "platform/ui/windowposition.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About ") + kProgramTitle);
    auto* name = new QLabel(kProgramTitle, this);
    name->setObjectName(QStringLiteral("ProductName"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(QStringLiteral("Program Version  - ") + kProgramVersion, this);
    version->setObjectName(QStringLiteral("Version"));
    auto* purpose = new QLabel(QStringLiteral("Trial secretary's program for AGX agility trials:\n"
                                              "entries, running orders, catalogues, results and reports."),
                               this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    for (QLabel* l : {name, version, purpose}) {
        l->setAlignment(Qt::AlignCenter);
        l->setTextFormat(Qt::PlainText);
        layout->addWidget(l);
    }
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    centreWindow(this);
}

QString TVersionHistoryForm::historyText()
{
    return QStringLiteral(
        "Velmora 3.6\n"
        "  - Gate keys: every entry carries a gate key, used to order the gate steward sheets\n"
        "    by actual jump height. Entries files of version 3.5 are converted the first time\n"
        "    they are opened; the old file is kept with the extension .OLD.\n"
        "  - A trial of version 3.5 can be imported from its folder (File menu).\n"
        "\n"
        "Velmora 3.5\n"
        "  - Entries files without gate keys.\n");
}

TVersionHistoryForm::TVersionHistoryForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Version History"));
    auto* text = new QPlainTextEdit(historyText(), this);
    text->setObjectName(QStringLiteral("History"));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    resize(620, 360);
    keepWindowPosition(this);
}

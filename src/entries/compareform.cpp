#include "entries/compareform.h"

#include "platform/ui/windowposition.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TCompareForm::TCompareForm(const QString& field, const QString& agxValue, const QString& myValue, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CompareForm"));
    setWindowTitle(QStringLiteral("Comparing Member Data"));

    auto* grid = new QGridLayout(this);
    auto* differs = new QLabel(QStringLiteral("Data Differs for:"), this);
    FieldLabel = new QLabel(field, this);
    FieldLabel->setObjectName(QStringLiteral("FieldLabel"));
    QFont bold = FieldLabel->font();
    bold.setBold(true);
    FieldLabel->setFont(bold);
    auto* top = new QHBoxLayout;
    top->addWidget(differs);
    top->addWidget(FieldLabel, 1);
    grid->addLayout(top, 0, 0, 1, 2);

    const auto valueEdit = [this](const QString& name, const QString& value) {
        auto* e = new QLineEdit(value, this);
        e->setObjectName(name);
        e->setReadOnly(true);
        e->setMinimumWidth(300);
        e->setCursorPosition(0);
        return e;
    };
    AgxEdit = valueEdit(QStringLiteral("AgxEdit"), agxValue);
    MineEdit = valueEdit(QStringLiteral("MineEdit"), myValue);
    grid->addWidget(new QLabel(QStringLiteral("AGX Members Data"), this), 1, 0);
    grid->addWidget(AgxEdit, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("My Members Data"), this), 2, 0);
    grid->addWidget(MineEdit, 2, 1);

    UseMineBtn = new QPushButton(QStringLiteral("Use Mine"), this);
    UseMineBtn->setObjectName(QStringLiteral("UseMineBtn"));
    UseAgxBtn = new QPushButton(QStringLiteral("Use AGX"), this);
    UseAgxBtn->setObjectName(QStringLiteral("UseAgxBtn"));
    UseAgxBtn->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(UseMineBtn);
    buttons->addWidget(UseAgxBtn);
    buttons->addStretch();
    grid->addLayout(buttons, 3, 0, 1, 2);

    connect(UseMineBtn, &QPushButton::clicked, this, [this] {
        m_choice = CompareChoice::UseMine;
        accept();
    });
    connect(UseAgxBtn, &QPushButton::clicked, this, [this] {
        m_choice = CompareChoice::UseAgx;
        accept();
    });

    // The values are read only: the focus moves between the two buttons alone.
    AgxEdit->setFocusPolicy(Qt::NoFocus);
    MineEdit->setFocusPolicy(Qt::NoFocus);
    resize(sizeHint());
    keepWindowPosition(this, PositionMode::AlwaysCentre);
}

QString TCompareForm::fieldName() const
{
    return FieldLabel->text();
}

QString TCompareForm::agxValue() const
{
    return AgxEdit->text();
}

QString TCompareForm::myValue() const
{
    return MineEdit->text();
}

void TCompareForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    UseAgxBtn->setFocus(Qt::OtherFocusReason);
}

void TCompareForm::mouseDoubleClickEvent(QMouseEvent* event)
{
    restoreWindowPosition(this);
    QDialog::mouseDoubleClickEvent(event);
}

CompareChoice TCompareForm::ask(const QString& field, const QString& agxValue, const QString& myValue)
{
    TCompareForm form(field, agxValue, myValue, QApplication::activeWindow());
    form.exec();
    return form.choice();
}

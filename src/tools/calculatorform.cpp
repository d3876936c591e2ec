#include "tools/calculatorform.h"

#include "platform/ui/windowposition.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

TCalculatorForm::TCalculatorForm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Calculator"));
    setWindowTitle(QStringLiteral("Calculator"));

    m_display = new QLineEdit(this);
    m_display->setObjectName(QStringLiteral("Display"));
    m_display->setReadOnly(true);
    m_display->setAlignment(Qt::AlignRight);
    m_display->setFocusPolicy(Qt::NoFocus);
    QFont big = m_display->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    m_display->setFont(big);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_display, 0, 0, 1, 4);

    auto button = [this, grid](const QString& caption, int row, int column, auto action, int span = 1) {
        auto* b = new QPushButton(caption, this);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setMinimumSize(48, 36);
        connect(b, &QPushButton::clicked, this, [this, action] {
            action();
            refresh();
        });
        grid->addWidget(b, row, column, 1, span);
    };
    using Op = Calculator::Op;
    Calculator* c = &m_calculator;
    button(QStringLiteral("C"), 1, 0, [c] { c->clear(); });
    button(QStringLiteral("CE"), 1, 1, [c] { c->clearEntry(); });
    button(QStringLiteral("\u2190"), 1, 2, [c] { c->backspace(); });
    button(QStringLiteral("\u00f7"), 1, 3, [c] { c->operation(Op::Divide); });
    const int digits[3][3] = {{7, 8, 9}, {4, 5, 6}, {1, 2, 3}};
    for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 3; ++col) {
            const int d = digits[r][col];
            button(QString::number(d), 2 + r, col, [c, d] { c->digit(d); });
        }
    button(QStringLiteral("\u00d7"), 2, 3, [c] { c->operation(Op::Multiply); });
    button(QStringLiteral("\u2212"), 3, 3, [c] { c->operation(Op::Subtract); });
    button(QStringLiteral("+"), 4, 3, [c] { c->operation(Op::Add); });
    button(QStringLiteral("\u00b1"), 5, 0, [c] { c->negate(); });
    button(QStringLiteral("0"), 5, 1, [c] { c->digit(0); });
    button(QStringLiteral("."), 5, 2, [c] { c->point(); });
    button(QStringLiteral("="), 5, 3, [c] { c->equals(); });

    refresh();
    keepWindowPosition(this);
}

void TCalculatorForm::popUp()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TCalculatorForm::keyPressEvent(QKeyEvent* event)
{
    using Op = Calculator::Op;
    Calculator& c = m_calculator;
    const QString text = event->text();
    if (text.size() == 1 && text[0].isDigit())
        c.digit(text[0].digitValue());
    else if (text == QLatin1String(".") || text == QLatin1String(","))
        c.point();
    else if (text == QLatin1String("+"))
        c.operation(Op::Add);
    else if (text == QLatin1String("-"))
        c.operation(Op::Subtract);
    else if (text == QLatin1String("*"))
        c.operation(Op::Multiply);
    else if (text == QLatin1String("/"))
        c.operation(Op::Divide);
    else if (text == QLatin1String("=") || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        c.equals();
    else if (event->key() == Qt::Key_Backspace)
        c.backspace();
    else if (event->key() == Qt::Key_Escape)
        c.clear();
    else if (event->key() == Qt::Key_Delete)
        c.clearEntry();
    else {
        QWidget::keyPressEvent(event);
        return;
    }
    refresh();
}

void TCalculatorForm::refresh()
{
    m_display->setText(m_calculator.display());
}

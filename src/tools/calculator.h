#pragma once

#include <QString>

#include <optional>

// A four-function pocket calculator: numbers are typed digit by digit, an operator
// applies the one before it (1 + 2 * 3 = 9, left to right), "=" repeats nothing.
class Calculator
{
public:
    enum class Op { None, Add, Subtract, Multiply, Divide };

    void digit(int d);
    void point();
    void backspace();
    void negate();
    void operation(Op op);
    void equals();
    void clear();       // everything
    void clearEntry();  // the number being typed

    QString display() const { return m_display; }

private:
    bool applyPending();
    void showValue(double value);

    QString m_display = QStringLiteral("0");
    double m_accumulator = 0;
    Op m_pending = Op::None;
    bool m_startNew = true;   // the next digit starts a new number
    bool m_error = false;
};

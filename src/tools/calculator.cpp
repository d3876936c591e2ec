#include "tools/calculator.h"

#include <QLocale>

#include <cmath>

void Calculator::digit(int d)
{
    if (m_error)
        clear();
    if (m_startNew) {
        m_display = QStringLiteral("0");
        m_startNew = false;
    }
    if (m_display.size() >= 16)
        return;
    if (m_display == QLatin1String("0"))
        m_display = QString::number(d);
    else if (m_display == QLatin1String("-0"))
        m_display = QLatin1Char('-') + QString::number(d);
    else
        m_display += QString::number(d);
}

void Calculator::point()
{
    if (m_error)
        clear();
    if (m_startNew) {
        m_display = QStringLiteral("0");
        m_startNew = false;
    }
    if (!m_display.contains(QLatin1Char('.')))
        m_display += QLatin1Char('.');
}

void Calculator::backspace()
{
    if (m_error || m_startNew)
        return;
    m_display.chop(1);
    if (m_display.isEmpty() || m_display == QLatin1String("-"))
        m_display = QStringLiteral("0");
}

void Calculator::negate()
{
    if (m_error)
        return;
    if (m_display.startsWith(QLatin1Char('-')))
        m_display.remove(0, 1);
    else if (m_display != QLatin1String("0"))
        m_display.prepend(QLatin1Char('-'));
}

void Calculator::operation(Op op)
{
    if (m_error)
        return;
    if (!m_startNew || m_pending == Op::None) {
        if (!applyPending())
            return;
    }
    m_pending = op;
    m_startNew = true;
}

void Calculator::equals()
{
    if (m_error)
        return;
    if (!m_startNew || m_pending != Op::None)
        applyPending();
    m_pending = Op::None;
    m_startNew = true;
}

void Calculator::clear()
{
    m_display = QStringLiteral("0");
    m_accumulator = 0;
    m_pending = Op::None;
    m_startNew = true;
    m_error = false;
}

void Calculator::clearEntry()
{
    if (m_error) {
        clear();
        return;
    }
    m_display = QStringLiteral("0");
    m_startNew = false;
}

bool Calculator::applyPending()
{
    const double value = QLocale::c().toDouble(m_display);
    double result = value;
    switch (m_pending) {
    case Op::None: result = value; break;
    case Op::Add: result = m_accumulator + value; break;
    case Op::Subtract: result = m_accumulator - value; break;
    case Op::Multiply: result = m_accumulator * value; break;
    case Op::Divide:
        if (value == 0) {
            m_display = QStringLiteral("Cannot divide by zero");
            m_error = true;
            return false;
        }
        result = m_accumulator / value;
        break;
    }
    if (!std::isfinite(result)) {
        m_display = QStringLiteral("Overflow");
        m_error = true;
        return false;
    }
    m_accumulator = result;
    showValue(result);
    return true;
}

void Calculator::showValue(double value)
{
    if (value == 0)
        value = 0; // no "-0"
    m_display = QLocale::c().toString(value, 'g', 15);
    if (m_display.contains(QLatin1Char('e')))
        m_display = QLocale::c().toString(value, 'g', 10);
}

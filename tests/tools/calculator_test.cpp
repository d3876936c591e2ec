#include "tools/calculator.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

namespace {

// Types keys into a fresh calculator: digits, ".", "+-*/", "=", "C" (clear), "E" (clear
// entry), "<" (backspace), "~" (change sign).
QString run(const char* keys)
{
    Calculator c;
    for (const char* k = keys; *k; ++k) {
        switch (*k) {
        case '.': c.point(); break;
        case '+': c.operation(Calculator::Op::Add); break;
        case '-': c.operation(Calculator::Op::Subtract); break;
        case '*': c.operation(Calculator::Op::Multiply); break;
        case '/': c.operation(Calculator::Op::Divide); break;
        case '=': c.equals(); break;
        case 'C': c.clear(); break;
        case 'E': c.clearEntry(); break;
        case '<': c.backspace(); break;
        case '~': c.negate(); break;
        default: c.digit(*k - '0');
        }
    }
    return c.display();
}

} // namespace

TEST(Calculator, WorksLikeAPocketCalculator)
{
    struct Case { const char* keys; const char* display; };
    const Case cases[] = {
        {"", "0"},
        {"007", "7"},
        {"12+30=", "42"},
        {"1+2*3=", "9"},          // left to right
        {"1+2*", "3"},            // the pending sum shows when the next operator comes
        {"10-15=", "-5"},
        {"7/2=", "3.5"},
        {"1/3=", "0.333333333333333"},
        {"1.5.5*2=", "3.1"},      // a second point is ignored
        {".5+.25=", "0.75"},
        {"5+-3=", "2"},           // a second operator replaces the first
        {"123<<", "1"},
        {"12E3=", "3"},
        {"9~", "-9"},
        {"9~~", "9"},
        {"2+3=4", "4"},           // typing after = starts anew
        {"2+3=*2=", "10"},        // an operator after = goes on with the result
        {"5/0=", "Cannot divide by zero"},
        {"5/0=7", "7"},           // the next digit clears the error
        {"5/0=+", "Cannot divide by zero"},
        {"99999999*99999999=", "9.9999998e+15"},
        {"12C", "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(run(c.keys), QString::fromLatin1(c.display)) << c.keys;
}

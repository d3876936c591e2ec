// Number text as dBASE stores and formats it: right-aligned, fixed decimals, halves rounded
// away from zero, asterisks when the number does not fit.

#include "platform/xbase/tabledata.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace xbase::detail {

namespace {

constexpr qint64 kPow10[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000,
                             10000000000LL, 100000000000LL, 1000000000000LL, 10000000000000LL,
                             100000000000000LL, 1000000000000000LL, 10000000000000000LL,
                             100000000000000000LL, 1000000000000000000LL};

} // namespace

bool formatNumber(double value, int width, int decimals, char* out)
{
    if (width <= 0)
        return true;
    decimals = std::clamp(decimals, 0, 15);
    char text[64];
    int len = 0;
    if (!std::isfinite(value)) {
        std::memset(out, '*', size_t(width));
        return false;
    }
    const double scaled = std::fabs(value) * double(kPow10[decimals]);
    double whole = std::floor(scaled);
    // Decimal fractions such as 2.675 are a hair below the half in binary; treat them as the half.
    if (scaled - whole >= 0.5 - std::max(scaled, 1.0) * 1e-13)
        whole += 1;
    if (whole < 9e15) {
        const qint64 v = qint64(whole);
        const qint64 intPart = v / kPow10[decimals];
        const qint64 fracPart = v % kPow10[decimals];
        if (value < 0 && v != 0)
            text[len++] = '-';
        len += std::snprintf(text + len, sizeof text - size_t(len), "%lld", static_cast<long long>(intPart));
        if (decimals > 0)
            len += std::snprintf(text + len, sizeof text - size_t(len), ".%0*lld", decimals, static_cast<long long>(fracPart));
    } else {
        len = std::snprintf(text, sizeof text, "%.*f", decimals, value);
    }
    if (len > width) {
        std::memset(out, '*', size_t(width));
        return false;
    }
    std::memset(out, ' ', size_t(width - len));
    std::memcpy(out + (width - len), text, size_t(len));
    return true;
}

double parseNumber(const char* p, int size, bool* ok)
{
    int i = 0;
    while (i < size && (p[i] == ' ' || p[i] == '\0'))
        ++i;
    if (ok)
        *ok = true;
    if (i == size)
        return 0;
    bool neg = false;
    if (p[i] == '-' || p[i] == '+') {
        neg = p[i] == '-';
        ++i;
    }
    qint64 mantissa = 0;
    int digits = 0, fraction = 0;
    bool seenPoint = false, long_ = false;
    int start = i;
    for (; i < size; ++i) {
        const char c = p[i];
        if (c >= '0' && c <= '9') {
            if (digits < 18)
                mantissa = mantissa * 10 + (c - '0');
            else
                long_ = true;
            ++digits;
            if (seenPoint)
                ++fraction;
        } else if ((c == '.' || c == ',') && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    int end = i;
    while (i < size && (p[i] == ' ' || p[i] == '\0'))
        ++i;
    if (ok && (i != size || digits == 0))
        *ok = false;
    if (digits == 0)
        return 0;
    double v;
    if (long_ || fraction > 18) {
        QByteArray copy(p + start, end - start);
        copy.replace(',', '.');
        v = std::strtod(copy.constData(), nullptr);
    } else {
        v = double(mantissa) / double(kPow10[fraction]);
    }
    return neg ? -v : v;
}

} // namespace xbase::detail

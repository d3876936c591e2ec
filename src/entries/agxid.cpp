#include "entries/agxid.h"

namespace agxid {

QString wholeNumberDigits(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    if (i < text.size() && text.at(i) == QLatin1Char('+'))
        ++i;
    while (i < text.size() && text.at(i) == QLatin1Char('0'))
        ++i;
    const qsizetype start = i;
    while (i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'))
        ++i;
    return text.mid(start, i - start);
}

int compareWholeNumbers(const QString& a, const QString& b)
{
    const QString x = wholeNumberDigits(a);
    const QString y = wholeNumberDigits(b);
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return x.compare(y);
}

AgxId normalise(const QString& text)
{
    const qsizetype dash = text.indexOf(QLatin1Char('-'));
    const QString member = dash < 0 ? QString() : text.left(dash);
    const QString dog = dash < 0 ? text : text.mid(dash + 1);
    return {wholeNumberDigits(member).rightJustified(5, QLatin1Char('0')),
            wholeNumberDigits(dog).rightJustified(2, QLatin1Char('0'))};
}

QString memberOf(const QString& memDogId)
{
    return memDogId.left(5);
}

QString keyOf(const QString& memDogId)
{
    return memDogId.left(5) + memDogId.mid(6, 2);
}

} // namespace agxid

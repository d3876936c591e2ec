#include "setup/trialoffer.h"

#include "data/dmod.h"

#include <QLocale>

namespace setup {

namespace {

QList<TrialClass> classes(std::initializer_list<const char*> codes)
{
    static const std::pair<const char*, const char*> all[] = {
        {"std", "Standard"}, {"clrs", "Colors"},     {"wild", "Wildcard"}, {"jack", "Jackpot"},
        {"snok", "Snooker"}, {"full", "FullHouse"}, {"jump", "Jumpers"}};
    QList<TrialClass> list;
    for (const char* code : codes)
        for (const auto& [c, name] : all)
            if (qstrcmp(c, code) == 0)
                list.push_back({QString::fromLatin1(name), QString::fromLatin1(code)});
    return list;
}

} // namespace

const QList<TrialClass>& levGroupClassOrder()
{
    static const QList<TrialClass> order = classes({"std", "clrs", "wild", "jack", "snok", "full", "jump"});
    return order;
}

const QList<TrialClass>& runOrderClassOrder()
{
    static const QList<TrialClass> order = classes({"std", "clrs", "wild", "snok", "jack", "full", "jump"});
    return order;
}

int DayOffer::runsOf(const QString& classCode) const
{
    const QList<TrialClass>& order = levGroupClassOrder();
    for (qsizetype i = 0; i < order.size(); ++i)
        if (order[i].code == classCode)
            return runs[size_t(i)];
    return 0;
}

TrialOffer readTrialOffer(const xbase::RecordView& row)
{
    TrialOffer offer;
    offer.showNum = int(row.toInt("show_num"));
    offer.firstDate = row.toDate("show_date");
    const int numDays = int(std::clamp<qint64>(row.toInt("num_days"), 0, 4));
    static const char* const levels[] = {"lev1", "lev2", "lev3", "lev4", "lev5", "levc"};
    static const char* const levelChars = "12345C";
    for (int day = 1; day <= numDays; ++day) {
        const QString prefix = QStringLiteral("d%1_").arg(day);
        DayOffer d;
        // The level-S flag is not read: level S is no longer offered.
        for (int i = 0; i < 6; ++i)
            if (row.toBool(prefix + QLatin1String(levels[i])))
                d.available += QLatin1Char(levelChars[i]);
        const QList<TrialClass>& order = levGroupClassOrder();
        for (qsizetype i = 0; i < order.size(); ++i)
            d.runs[size_t(i)] = int(std::clamp<qint64>(row.toInt(prefix + order[i].code), 0, 9));
        offer.days.push_back(d);
    }
    return offer;
}

std::optional<TrialOffer> findTrial(TDmod& dmod, int trialNumber)
{
    if (trialNumber < 0 || trialNumber > 99999)
        return std::nullopt;
    dmod.OpenShowDates();
    xbase::ScanCursor cursor = dmod.ShowDates.scan();
    cursor.setCurrentTag(QStringLiteral("SHOWNUM"));
    if (!cursor.seek(data::ShowDatesKey(trialNumber)))
        return std::nullopt;
    return readTrialOffer(cursor);
}

QString dayCaption(const QDate& firstDate, int day)
{
    return QStringLiteral("Day %1 - ").arg(day) + firstDate.addDays(day - 1).toString(QStringLiteral("MM/dd/yyyy"));
}

QStringList dayCaptions(const QDate& firstDate, int days)
{
    QStringList captions;
    for (int day = 1; day <= days; ++day)
        captions << dayCaption(firstDate, day);
    return captions;
}

int readShowNumber(const QString& answer)
{
    const QString separator = QLocale().groupSeparator();
    QString text = answer;
    text.remove(QLatin1Char(' '));
    text.remove(QLatin1Char(','));
    if (!separator.isEmpty())
        text.remove(separator);
    if (text.startsWith(QLatin1Char('+')))
        text.remove(0, 1);
    qint64 number = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        number = number * 10 + (c.unicode() - '0');
        if (number > 99999)
            return -1;
    }
    return int(number);
}

} // namespace setup

#include "app/entryindex.h"

#include "platform/system/inifile.h"
#include "platform/xbase/table.h"

namespace entryindex {

namespace {

const QString kRecordLabel = QStringLiteral("Record #");
const QString kFieldsSection = QStringLiteral("ShowGridFields");
const QString kWidthsSection = QStringLiteral("ShowGridWidths");

QChar tagLetter(const QString& tag)
{
    return tag.isEmpty() ? QChar() : tag.at(0).toUpper();
}

} // namespace

const QList<EntryOrder>& entryOrders()
{
    static const QList<EntryOrder> orders = {
        {QStringLiteral("Last Name"), QStringLiteral("Last Name"), QStringLiteral("NAME"),
         QStringLiteral("Current Index is Last Name"), QStringLiteral("Last Name")},
        {QStringLiteral("Armband #"), QStringLiteral("Armband #"), QStringLiteral("ARMBAND"),
         QStringLiteral("Current Index = Armband #"), QStringLiteral("Armband #")},
        {QStringLiteral("AGX ID #"), QStringLiteral("AGX ID#"), QStringLiteral("IDKEY"),
         QStringLiteral("Current Index = AGX Member ID#"), QStringLiteral("AGX ID#")},
        {QStringLiteral("Call Name"), QStringLiteral("Call Name"), QStringLiteral("CALLNAM"),
         QStringLiteral("Current Index = Call Name + Armband"), QStringLiteral("Call Name")},
        {QStringLiteral("Input Order"), QStringLiteral("Input Order"), QString(),
         QStringLiteral("Current Index = Input Order"), kRecordLabel},
    };
    return orders;
}

const EntryOrder& orderOfTag(const QString& tag)
{
    for (const EntryOrder& order : entryOrders())
        if (!order.tag.isEmpty() && order.tag.compare(tag, Qt::CaseInsensitive) == 0)
            return order;
    return entryOrders().last();
}

QString searchLabel(const QString& tag)
{
    switch (tagLetter(tag).unicode()) {
    case 'A': return QStringLiteral("Armband #");
    case 'C': return QStringLiteral("Call Name");
    case 'I': return QStringLiteral("AGX ID#");
    case 'N': return QStringLiteral("Last Name");
    default: return kRecordLabel;
    }
}

QString gridOrderName(const QString& tag)
{
    const QString label = searchLabel(tag);
    return label == kRecordLabel ? QStringLiteral("Input Order") : label;
}

QString normaliseAgxId(const QString& text)
{
    const QString t = text.trimmed();
    const qsizetype dash = t.indexOf(QLatin1Char('-'));
    bool ok = false;
    if (dash >= 0) {
        bool dogOk = false;
        const int member = t.left(dash).trimmed().toInt(&ok);
        const int dog = t.mid(dash + 1, 2).trimmed().toInt(&dogOk);
        if (!ok || !dogOk || member < 0 || dog < 0)
            return text;
        return QStringLiteral("%1-%2").arg(member, 5, 10, QLatin1Char('0')).arg(dog, 2, 10, QLatin1Char('0'));
    }
    const qint64 number = t.toLongLong(&ok);
    if (!ok || number < 0)
        return text;
    return QStringLiteral("%1").arg(number, int(t.size()) + 1, 10, QLatin1Char('0'));
}

QString offeredText(const QString& lastText)
{
    return lastText.leftJustified(20, QLatin1Char(' '));
}

FindOutcome lookUp(xbase::Table& entries, const QString& text, SearchWindow window)
{
    const quint32 back = entries.recNo();
    const QString tag = entries.currentTag();
    const QString label = searchLabel(tag);
    auto notFound = [&] {
        if (back > 0 && back <= entries.recordCount())
            entries.go(back);
        return FindOutcome{false, QStringLiteral("Could not find ") + label + QLatin1Char(' ') + text,
                           MessageIcon::Information};
    };

    if (label == kRecordLabel) {
        bool ok = false;
        qint64 number = text.trimmed().toLongLong(&ok);
        const qint64 count = entries.recordCount();
        if (window == SearchWindow::Main) {
            if (!ok)
                return {false,
                        QStringLiteral("'%1' is not a valid integer value").arg(text)
                            + QStringLiteral("\r\n\r\n     Try again."),
                        MessageIcon::None};
            if (number == 0)
                return {};
            if (number > count)
                return {false, QStringLiteral("Database only has %1 Records").arg(count), MessageIcon::Information};
        } else if (!ok) {
            number = 0;
        }
        // Below 1 (or beyond the end, in the grid) there is no such record; a record hidden
        // by Hide Deletes is not offered either.
        if (number < 1 || number > count || !entries.go(quint32(number)) || !entries.isVisible())
            return notFound();
        return {true, {}, MessageIcon::Information};
    }

    const QString key = tagLetter(tag) == QLatin1Char('I') ? normaliseAgxId(text) : text;
    if (entries.seek(key, xbase::SeekMode::Partial))
        return {true, {}, MessageIcon::Information};
    return notFound();
}

bool EntrySearch::find(xbase::Table& entries)
{
    const QString label = searchLabel(entries.currentTag());
    const std::optional<QString> answer = Dialogs::current().input(
        QStringLiteral("Find Record"), QStringLiteral("Enter ") + label + QStringLiteral(" to find: "),
        offeredText(m_lastText));
    if (!answer)
        return false;
    QString text = *answer;
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    m_lastText = text.toUpper();

    const FindOutcome outcome = lookUp(entries, m_lastText, m_window);
    if (!outcome.message.isEmpty())
        Dialogs::current().message(outcome.message, outcome.icon);
    return outcome.found;
}

QString gridKey(int column)
{
    return QStringLiteral("TzGrid1[%1]").arg(column);
}

QList<GridColumn> defaultGridLayout()
{
    static const struct
    {
        const char* field;
        int width;
    } columns[kGridColumns] = {
        {"MEM_DOG_ID", 76}, {"CALL_NAME", 94}, {"BREED", 244}, {"FIRST", 154}, {"LAST", 124},
        {"ADDRESS", 184},   {"CITY", 124},     {"STATE", 124}, {"ZIP", 64},    {"COUNTRY", 124},
        {"PHONE", 88},      {"EMAIL", 304},    {"ARMBAND", 58}, {"HANDLER", 154}, {"BDATE", 64},
        {"PCARD", 41},      {"HT_CAT", 55},    {"HANDICAP", 59}, {"FEO", 34},   {"REG_HT", 48},
        {"VET_HT", 46},     {"SPEC_HT", 69},   {"SRT_HT", 65}, {"SHOW_NUM", 0},
    };
    QList<GridColumn> layout;
    for (const auto& c : columns)
        layout.append(GridColumn(QString::fromLatin1(c.field), {}, c.width, true));
    return layout;
}

QList<GridColumn> readGridLayout(const IniFile& ini)
{
    if (!ini.keyExists(kFieldsSection, gridKey(0)))
        return defaultGridLayout();
    QList<GridColumn> layout;
    for (int c = 0; c < kGridColumns; ++c)
        layout.append(GridColumn(ini.readString(kFieldsSection, gridKey(c), QStringLiteral("Unknown")), {},
                                 ini.readInteger(kWidthsSection, gridKey(c), 1), true));
    return layout;
}

void writeGridLayout(IniFile& ini, const QList<GridColumn>& columns)
{
    for (int c = 0; c < columns.size(); ++c) {
        ini.writeString(kFieldsSection, gridKey(c), columns[c].field);
        ini.writeInteger(kWidthsSection, gridKey(c), columns[c].width);
    }
}

} // namespace entryindex

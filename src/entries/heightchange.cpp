#include "entries/heightchange.h"

#include "platform/system/strings.h"
#include "platform/xbase/table.h"

#include <algorithm>

namespace heightchange {
namespace {

QString heightText(int inches)
{
    return QString::number(std::max(inches, 4)).rightJustified(2, QLatin1Char(' '));
}

} // namespace

Category categoryOf(const xbase::RecordView& entry)
{
    const QString cat = entry.text(QStringLiteral("ht_cat"));
    const QChar c = cat.isEmpty() ? QChar() : cat.at(0);
    if (c == QLatin1Char('V'))
        return Category::Veteran;
    if (c == QLatin1Char('T'))
        return Category::Enthusiast;
    if (c == QLatin1Char('S'))
        return Category::Specialist;
    return Category::Regular;
}

QString categoryCaption(Category category)
{
    switch (category) {
    case Category::Veteran: return QStringLiteral("VETERAN");
    case Category::Enthusiast: return QStringLiteral("ENTHUSIAST");
    case Category::Specialist: return QStringLiteral("SPECIALIST");
    case Category::Regular: break;
    }
    return {};
}

Heights heightsFor(int regularInches)
{
    return {heightText(regularInches), heightText(regularInches - 4), heightText(regularInches - 8)};
}

QString jumpHeight(const Heights& heights, Category category)
{
    switch (category) {
    case Category::Veteran:
    case Category::Enthusiast: return heights.veteran;
    case Category::Specialist: return heights.specialist;
    case Category::Regular: break;
    }
    return heights.regular;
}

bool findDog(xbase::Table& entries, const QString& typedArmband)
{
    entries.setCurrentTag(QStringLiteral("ARMBAND"));
    if (rightTrimmed(typedArmband).isEmpty())
        return false;   // a blank text would find every dog without a number
    return entries.seek(typedArmband, xbase::SeekMode::Exact);
}

QString ownerCaption(const xbase::RecordView& entry)
{
    return rightTrimmed(entry.text(QStringLiteral("first"))) + QLatin1Char(' ')
         + rightTrimmed(entry.text(QStringLiteral("last")));
}

QString nextArmband(const xbase::Table& entries, int regularInches, int digits)
{
    const QString prefix = heightText(regularInches);
    const int width = (digits == 4 && entries.recordCount() >= 100) ? 5 : digits;
    int highest = 0;
    xbase::ScanCursor scan = entries.scan();
    scan.setShowDeleted(true);
    const quint32 count = entries.recordCount();
    for (quint32 rec = 1; rec <= count; ++rec) {
        if (!scan.go(rec))
            continue;
        const QString armband = scan.text(QStringLiteral("armband"));
        if (armband.left(2) != prefix)
            continue;
        bool ok = false;
        const int number = armband.mid(2, width).trimmed().toInt(&ok);
        if (ok)
            highest = std::max(highest, number);
    }
    return prefix + QString::number(highest + 1).rightJustified(width, QLatin1Char('0'));
}

int updateResults(xbase::Table& results, const QString& oldArmband, const QString& newArmband,
                  const Heights& heights, Category category, int digits)
{
    const QString wanted = rightTrimmed(oldArmband);
    if (wanted.isEmpty())
        return 0;
    // Record numbers first: the rows move in the armband-keyed orders as they are written.
    std::vector<quint32> rows;
    {
        xbase::ScanCursor scan = results.scan();
        scan.setShowDeleted(true);
        const quint32 count = results.recordCount();
        for (quint32 rec = 1; rec <= count; ++rec)
            if (scan.go(rec) && rightTrimmed(scan.text(QStringLiteral("armband"))) == wanted)
                rows.push_back(rec);
    }
    int written = 0;
    for (quint32 rec : rows) {
        if (!results.go(rec))
            continue;
        results.edit();
        results.setText(QStringLiteral("armband"), newArmband);
        const QString fullarm = results.text(QStringLiteral("fullarm"));
        results.setText(QStringLiteral("fullarm"), newArmband + fullarm.mid(digits + 2));
        results.setText(QStringLiteral("class_ht"), heights.regular);
        results.setText(QStringLiteral("jump_ht"), jumpHeight(heights, category));
        if (results.post())
            ++written;
        else
            results.cancel();
    }
    return written;
}

std::optional<Change> changeHeight(xbase::Table& entries, xbase::Table* results, int regularInches, int digits)
{
    if (entries.recNo() == 0 || entries.eof())
        return std::nullopt;
    const quint32 dog = entries.recNo();
    const Category category = categoryOf(entries);
    const Heights heights = heightsFor(regularInches);
    Change change;
    change.oldArmband = rightTrimmed(entries.text(QStringLiteral("armband")));
    change.newArmband = nextArmband(entries, regularInches, digits);

    entries.go(dog);
    entries.edit();
    entries.setText(QStringLiteral("reg_ht"), heights.regular);
    if (category == Category::Veteran || category == Category::Enthusiast)
        entries.setText(QStringLiteral("vet_ht"), heights.veteran);
    else if (category == Category::Specialist)
        entries.setText(QStringLiteral("spec_ht"), heights.specialist);
    entries.setText(QStringLiteral("armband"), change.newArmband);
    if (!entries.post()) {
        entries.cancel();
        return std::nullopt;
    }
    if (results && results->isOpen())
        change.resultsRows = updateResults(*results, change.oldArmband, change.newArmband, heights, category, digits);
    return change;
}

namespace text {
QString notFound()
{
    return QStringLiteral("Armband Not Found - Try Again");
}
QString noHeight()
{
    return QStringLiteral("You must select a Height!");
}
QString changed(const QString& armband)
{
    return QStringLiteral("All Records for Armband # ") + rightTrimmed(armband) + QStringLiteral(" Have been changed.");
}
} // namespace text

} // namespace heightchange

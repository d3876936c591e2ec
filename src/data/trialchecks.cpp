#include "data/trialchecks.h"

#include "data/dmod.h"

#include <QFileInfo>

namespace data {

Refusal levelGroupsRefusal(const xbase::Table& levGroup)
{
    static const char* const groups[] = {"group_a", "group_b", "group_c", "group_d"};
    xbase::ScanCursor rows = levGroup.scan();
    rows.setCurrentTag(QString());
    bool any = false;
    for (rows.first(); !rows.eof(); rows.next()) {
        if (rows.isDeleted())
            continue;
        any = true;
        bool grouped = false;
        for (const char* group : groups)
            grouped = grouped || !rows.trimmed(group).isEmpty();
        if (!grouped)
            return {{}, QStringLiteral("Some Classes have not been assigned Level Groups;;Go To  Tasks/Define Level Groups  from Main Screen")};
    }
    if (!any)
        return {{}, QStringLiteral("Your Level Groups have not been assigned;;Go To  Tasks/Define Level Groups  from Main Screen")};
    return {};
}

Refusal ringsRefusal(const xbase::Table& runOrder)
{
    xbase::ScanCursor rows = runOrder.scan();
    rows.setCurrentTag(QString());
    for (rows.first(); !rows.eof(); rows.next()) {
        if (!rows.isDeleted() && rows.trimmed("ring") == QLatin1String("0"))
            return {{}, QStringLiteral("Some Classes have not been assigned to Rings;;Go To  Tasks/Define Running Order  from Main Screen")};
    }
    return {};
}

void openForTrial(TDmod& dmod, xbase::Table& table, TableId id, const QString& trial)
{
    if (table.isOpen() && QFileInfo(table.path()) != QFileInfo(dmod.TablePath(id, trial)))
        table.close();
    dmod.OpenDefined(table, id, trial);
}

Refusal runOrderRefusal(TDmod& dmod, const QString& trial)
{
    if (!dmod.RunOrderExists(trial))
        return {kMissingData, QStringLiteral("You must Define the Your Running Order first")};
    openForTrial(dmod, dmod.RunOrder, TableId::RunOrder, trial);
    return ringsRefusal(dmod.RunOrder);
}

} // namespace data

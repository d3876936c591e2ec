#include "setup/prerequisites.h"

#include "data/dmod.h"
#include "data/trialchecks.h"
#include "platform/ui/dialogs.h"
#include "setup/trialoffer.h"

namespace setup {

namespace {

bool pass(const data::Refusal& refusal)
{
    if (!refusal.refused())
        return true;
    if (refusal.title.isEmpty())
        Dialogs::current().information(refusal.text);
    else
        Dialogs::current().warning(refusal.text, refusal.title);
    return false;
}

} // namespace

std::optional<int> settleTrialNumber(TDmod& dmod, int openTrial)
{
    int number = openTrial;
    if (number <= 0) {
        const std::optional<QString> answer = Dialogs::current().input(QStringLiteral("Which Show"),
                                                                       QStringLiteral("Enter the Show Number: "));
        if (!answer)
            return std::nullopt;
        number = readShowNumber(*answer);
    }
    if (!findTrial(dmod, number)) {
        Dialogs::current().information(kUnknownShow);
        return std::nullopt;
    }
    return number;
}

bool LevelGroupsAssigned(TDmod& dmod)
{
    return pass(data::levelGroupsRefusal(dmod.LevGroup));
}

bool RingsAssigned(TDmod& dmod)
{
    return pass(data::ringsRefusal(dmod.RunOrder));
}

std::optional<int> CheckLevelGroupings(TDmod& dmod, int openTrial)
{
    const std::optional<int> number = settleTrialNumber(dmod, openTrial);
    if (!number)
        return std::nullopt;
    const QString trial = data::TrialNumberText(*number);
    if (!dmod.LevGroupExists(trial)) {
        Dialogs::current().warning(QStringLiteral("You must Define the Level Groupings first"), data::kMissingData);
        return std::nullopt;
    }
    data::openForTrial(dmod, dmod.LevGroup, data::TableId::LevGroup, trial);
    if (!LevelGroupsAssigned(dmod))
        return std::nullopt;
    return number;
}

bool CheckRunningOrder(TDmod& dmod, int trialNumber)
{
    return pass(data::runOrderRefusal(dmod, data::TrialNumberText(trialNumber)));
}

} // namespace setup

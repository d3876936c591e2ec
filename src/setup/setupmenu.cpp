#include "setup/setupmenu.h"

#include "setup/levgroupform.h"
#include "setup/prerequisites.h"
#include "setup/runorderform.h"

namespace setup {

void LevelGroupingsMenuClick(TDmod& dmod, int openTrial, QWidget* parent)
{
    const std::optional<int> trial = settleTrialNumber(dmod, openTrial);
    if (!trial)
        return;
    // Unlike the running order, this window opens without groupings: it makes them.
    TLevGroupForm form(dmod, *trial, parent);
    form.exec();
}

void RunningOrderMenuClick(TDmod& dmod, int openTrial, QWidget* parent)
{
    const std::optional<int> trial = CheckLevelGroupings(dmod, openTrial);
    if (!trial)
        return;
    TRunOrderForm form(dmod, *trial, parent);
    form.exec();
}

} // namespace setup

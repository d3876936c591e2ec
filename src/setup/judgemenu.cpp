#include "setup/judgemenu.h"

#include "setup/assignjudgeform.h"
#include "setup/judgeform.h"
#include "setup/prerequisites.h"
#include "setup/sctform.h"

namespace setup {

void JudgesMenuClick(TDmod& dmod, QWidget* parent)
{
    Tjudgeform form(dmod, parent);
    form.exec();
}

void JudgeAssignmentsMenuClick(TDmod& dmod, int openTrial, QWidget* parent)
{
    const std::optional<int> trial = CheckLevelGroupings(dmod, openTrial);
    if (!trial)
        return;
    TAssignJudgeForm form(dmod, *trial, parent);
    form.exec();
}

void SCTMenuClick(TDmod& dmod, int openTrial, QWidget* parent)
{
    const std::optional<int> trial = CheckLevelGroupings(dmod, openTrial);
    if (!trial || !CheckRunningOrder(dmod, *trial))
        return;
    TSCTForm form(dmod, *trial, parent);
    form.exec();
}

} // namespace setup

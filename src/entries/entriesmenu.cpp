#include "entries/entriesmenu.h"

#include "data/dmod.h"
#include "entries/addarmform.h"
#include "entries/heightchangeform.h"
#include "platform/ui/tablehandlers.h"

namespace entries {
namespace {

// An entry being typed is written (with the entry form's checks) before another window
// moves through the table; a refused write keeps the window closed.
bool entriesReady(xbase::Table& entries)
{
    if (!entries.isOpen())
        return false;
    const auto state = entries.state();
    return (state != xbase::Table::State::Edit && state != xbase::Table::State::Insert) || entries.post();
}

} // namespace

void AssignArmbandsMenuClick(TDmod& dmod, int trialNumber, QWidget* parent)
{
    xbase::Table& entries = dmod.TzDbf1;
    if (!entriesReady(entries))
        return;
    {
        TableHandlersOff handlersOff(entries);
        TAddArmForm form(dmod, trialNumber, parent);
        form.exec();
        if (entries.isOpen()) {
            entries.setShowDeleted(true);
            entries.setCurrentTag(QStringLiteral("NAME"));
            entries.first();
        }
    }
}

void HeightChangesMenuClick(TDmod& dmod, int trialNumber, QWidget* parent)
{
    xbase::Table& entries = dmod.TzDbf1;
    if (!entriesReady(entries))
        return;
    TableHandlersOff handlersOff(entries);
    THeightChangeForm form(dmod, trialNumber, parent);
    form.exec();
}

} // namespace entries

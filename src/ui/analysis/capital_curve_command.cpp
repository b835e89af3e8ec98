#include "ui/analysis/capital_curve_command.h"

#include "engine/dates.h"
#include "host/module_state.h"
#include "host/quote_source.h"
#include "ui/analysis/capital_curve_dialog.h"
#include "ui/records/ledger_view_command.h"

namespace fiscora::ui {

void OnCapitalCurve(CommandContext& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    SeriesPrices prices{currentDirectory().value_or(""), latestPriceByMarket, today()};
    CapitalCurveDialog dialog(
        window.messages(), account->name, window.workspace().ledger, std::move(prices),
        [&window](const LedgerFilter& filter) { OnViewLedger(window, filter); });
    window.dialogs().run(dialog);
}

}  // namespace fiscora::ui

#include "ui/analysis/capital_curve_command.h"

#include "engine/dates.h"
#include "host/module_state.h"
#include "host/quote_source.h"
#include "ui/analysis/capital_curve_dialog.h"
#include "ui/main/main_window_model.h"

namespace fiscora::ui {

void OnCapitalCurve(MainWindowModel& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    SeriesPrices prices{currentDirectory().value_or(""), latestPriceByMarket, today()};
    CapitalCurveDialog dialog(window.messages(), account->name, window.workspace().ledger,
                              std::move(prices), window.dayLedgerOpener());
    window.dialogs().run(dialog);
}

}  // namespace fiscora::ui

#include "ui/analysis/returns_command.h"

#include <ctime>

#include "engine/dates.h"
#include "host/module_state.h"
#include "host/quote_source.h"
#include "ui/analysis/returns_dialog.h"

namespace fiscora::ui {

void OnReturnsAnalysis(CommandContext& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    SeriesPrices prices{currentDirectory().value_or(""), latestPriceByMarket, today()};
    ReturnsDialog dialog(window.messages(), account->name, window.workspace().ledger,
                         std::move(prices), window.listOutput(), std::time(nullptr));
    window.dialogs().run(dialog);
}

}  // namespace fiscora::ui

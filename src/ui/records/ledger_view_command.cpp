#include "ui/records/ledger_view_command.h"

#include "ui/records/ledger_view_dialog.h"

namespace fiscora::ui {

void OnViewLedger(CommandContext& window, const LedgerFilter& filter) {
    const auto account = window.AccountGuard();
    if (!account) return;
    window.workspace().recomputeHoldings();
    LedgerViewDialog dialog(window.workspace(), window.dialogs(), *account, filter,
                            window.listOutput());
    window.dialogs().run(dialog);
    window.refreshHoldingList();
}

}  // namespace fiscora::ui

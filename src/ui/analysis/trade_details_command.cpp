#include "ui/analysis/trade_details_command.h"

#include "ui/analysis/trade_details_dialog.h"

namespace fiscora::ui {

void OnTradeDetails(CommandContext& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    const HoldingRow* row = window.selectedHolding();
    if (row == nullptr) {
        window.messages().plain("请选中需要查看交易明细的股票");
        return;
    }
    // The row's own position, as 删除记录 takes it: its market and code as the holdings
    // hold them, not its cells read back.
    const Holding& stock = row->holding;
    TradeDetailsDialog dialog(window.workspace(), account->name, stock.market, stock.stockCode,
                              window.listOutput());
    window.dialogs().run(dialog);
}

}  // namespace fiscora::ui

#include "ui/analysis/trade_details_command.h"

#include "ui/analysis/trade_details_dialog.h"
#include "ui/main/main_window_model.h"

namespace fiscora::ui {

void OnTradeDetails(MainWindowModel& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    const int row = window.selectedRow();
    const auto& rows = window.holdingRows();
    if (row < 0 || row >= static_cast<int>(rows.size())) {
        window.messages().plain("请选中需要查看交易明细的股票");
        return;
    }
    // The row's own position, as 删除记录 takes it: its market and code as the holdings
    // hold them, not its cells read back.
    const Holding& stock = rows[row].holding;
    TradeDetailsDialog dialog(window.workspace(), account->name, stock.market, stock.stockCode,
                              window.listOutput());
    window.dialogs().run(dialog);
}

}  // namespace fiscora::ui

#include "ui/trade/stock_records_deletion.h"

#include "engine/stock_record_removal.h"

namespace fiscora::ui {

void OnDeleteStockRecords(CommandContext& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    const HoldingRow* row = window.selectedHolding();
    if (row == nullptr) {
        window.messages().plain("请选中需要删除全部的记录的股票");
        return;
    }
    // The row's own position, not its cells read back: a market the file stores as
    // neither 0 nor 1 shows no market text, and must not be taken for 上海.
    const Holding stock = row->holding;
    // A stock the host cannot name is asked about by its code.
    const std::string& shownName = row->cells[2];
    const std::string& who = shownName.empty() ? row->cells[1] : shownName;
    if (!window.messages().askWithIcon(who + "的全部记录都将被删除，真的要删除吗？", kProductName,
                                       MessageIcon::None)) {
        return;
    }
    Workspace& workspace = window.workspace();
    removeStockRecords(workspace.ledger, stock.market, stock.stockCode);
    // A failed write has shown its message; the ledger stays as it is in memory.
    workspace.saveLedgerOf(account->info);
    window.refreshHoldingList();
}

}  // namespace fiscora::ui

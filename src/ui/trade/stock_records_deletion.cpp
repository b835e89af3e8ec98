#include "ui/trade/stock_records_deletion.h"

#include "engine/stock_record_removal.h"
#include "ui/main/main_window_model.h"

namespace fiscora::ui {

std::size_t OnDeleteStockRecords(MainWindowModel& window) {
    const auto account = window.AccountGuard();
    if (!account) return 0;
    const int row = window.selectedRow();
    const auto& rows = window.holdingRows();
    if (row < 0 || row >= static_cast<int>(rows.size())) {
        window.messages().plain("请选中需要删除全部的记录的股票");
        return 0;
    }
    // The row's own position, not its cells read back: a market the file stores as
    // neither 0 nor 1 shows no market text, and must not be taken for 上海.
    const Holding& stock = rows[row].holding;
    // A stock the host cannot name is asked about by its code.
    const std::string& shownName = rows[row].cells[2];
    const std::string& who = shownName.empty() ? rows[row].cells[1] : shownName;
    if (!window.messages().askWithIcon(who + "的全部记录都将被删除，真的要删除吗？", kProductName,
                                       MessageIcon::None)) {
        return 0;
    }
    Workspace& workspace = window.workspace();
    const std::size_t removed = removeStockRecords(workspace.ledger, stock.market, stock.stockCode);
    // A failed write has shown its message; the ledger stays as it is in memory.
    workspace.saveLedgerOf(account->info);
    window.refreshHoldingList();
    return removed;
}

}  // namespace fiscora::ui

#pragma once

#include "ui/common/command_context.h"

namespace fiscora::ui {

// 删除记录: removes from the selected account's ledger every record of the stock selected
// in the holdings list (its purchases, sales, dividends, bonus shares and rights issues),
// after the account guard, a selected row and a Yes to the question naming the stock. The
// ledger file is rewritten and the holdings list rebuilt.
void OnDeleteStockRecords(CommandContext& window);

}  // namespace fiscora::ui

#pragma once

#include "ui/common/command_context.h"

namespace fiscora::ui {

// 交易明细 (menu 股票, the toolbar, the holdings list's popup menu and a double click on a
// row): the account guard, then a selected holdings row ("请选中需要查看交易明细的股票"
// otherwise), then the trade details of that row's stock. Nothing is written.
void OnTradeDetails(CommandContext& window);

}  // namespace fiscora::ui

#pragma once

namespace fiscora::ui {

class MainWindowModel;

// 交易明细 (menu 股票, the toolbar, the holdings list's popup menu and a double click on a
// row): the account guard, then a selected holdings row ("请选中需要查看交易明细的股票"
// otherwise), then the trade details of that row's stock. Nothing is written.
void OnTradeDetails(MainWindowModel& window);

}  // namespace fiscora::ui

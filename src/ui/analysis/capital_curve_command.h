#pragma once

namespace fiscora::ui {

class MainWindowModel;

// 资金曲线 (menu 分析): the account guard, then the capital curve of the account's ledger,
// with the bar files of the terminal's folder (the current directory) and the host's prices.
void OnCapitalCurve(MainWindowModel& window);

}  // namespace fiscora::ui

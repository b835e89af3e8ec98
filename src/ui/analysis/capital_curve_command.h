#pragma once

#include "ui/common/command_context.h"

namespace fiscora::ui {

// 资金曲线 (menu 分析): the account guard, then the capital curve of the account's ledger,
// with the bar files of the terminal's folder (the current directory) and the host's prices.
// Its day menu opens the ledger view on that day's records.
void OnCapitalCurve(CommandContext& window);

}  // namespace fiscora::ui

#pragma once

#include "ui/analysis/chart_series.h"
#include "ui/common/command_context.h"

namespace fiscora::ui {

// 投资赢利额, 投资赢利率, 净资产分布 and 净赢利分布 (menu 分析; 投资分析 on the toolbar): the
// account guard, then the charts of its holdings at the prices of now, opened on `kind`.
void OnCharts(CommandContext& window, ChartKind kind);

}  // namespace fiscora::ui

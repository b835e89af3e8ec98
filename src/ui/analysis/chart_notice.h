#pragma once

#include <string>

#include "output/report_canvas.h"

namespace fiscora::ui {

// What a chart area says instead of a chart when there is nothing to draw.
inline constexpr const char* kNoHoldingsNotice = "没有持仓";
inline constexpr const char* kNoDataNotice = "没有数据";
inline constexpr const char* kNoStockChosenNotice = "没有选中股票";

// Clears `area` to `face` and writes `text` in its middle, in grey, so an empty state reads
// as a statement and not as a picture that failed to appear.
void drawChartNotice(ReportCanvas& canvas, const ReportRect& area, Rgb face,
                     const std::string& text);

}  // namespace fiscora::ui

#include "ui/analysis/profit_charts.h"

namespace fiscora::ui {

bool ProfitCharts::Draw(ReportCanvas& canvas, const ReportRect& area, ChartKind kind,
                        ChartScope scope) {
    if (rows_.empty()) return false;
    ChartSeries series = chartSeries(rows_, kind, scope);
    scope_ = scope;
    legend_ = chartLegend(series, scope);
    return isPie(kind) ? painter_.DrawPie(canvas, area, std::move(series))
                       : painter_.DrawBars(canvas, area, std::move(series), 0);
}

std::optional<std::string> ProfitCharts::TooltipAt(CanvasPoint point) const {
    const int item = painter_.HitTest(point);
    if (item < 0) return std::nullopt;
    return chartTooltip(painter_.series(), scope_, item);
}

}  // namespace fiscora::ui

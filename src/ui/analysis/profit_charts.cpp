#include "ui/analysis/profit_charts.h"

#include "ui/analysis/chart_notice.h"

namespace fiscora::ui {

bool ProfitCharts::Draw(ReportCanvas& canvas, const ReportRect& area, ChartKind kind,
                        ChartScope scope, int firstBar) {
    if (rows_.empty()) {
        scope_ = scope;
        legend_.clear();
        return painter_.DrawNotice(canvas, area, kNoHoldingsNotice);
    }
    ChartSeries series = chartSeries(rows_, kind, scope);
    std::vector<LegendEntry> legend = chartLegend(series, scope);
    const bool drawn = isPie(kind) ? painter_.DrawPie(canvas, area, std::move(series))
                                   : painter_.DrawBars(canvas, area, std::move(series), firstBar);
    if (drawn) {
        scope_ = scope;
        legend_ = std::move(legend);
    }
    return drawn;
}

std::optional<std::string> ProfitCharts::TooltipAt(CanvasPoint point) const {
    const int item = painter_.HitTest(point);
    if (item < 0) return std::nullopt;
    return chartTooltip(painter_.series(), scope_, item);
}

}  // namespace fiscora::ui

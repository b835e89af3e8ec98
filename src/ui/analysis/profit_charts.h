#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/analysis/chart_series.h"

namespace fiscora::ui {

// The profit charts of one account: the series of the chosen kind and scope computed from the
// holdings list's rows taken at opening, drawn by the painter, with the legend, the paging
// buttons and the tooltip read-out that go with them. Each drawing call answers whether it
// drew (nothing is drawn for a step that cannot move). An account without holdings gets
// kNoHoldingsNotice in the area instead of a chart.
class ProfitCharts {
public:
    ProfitCharts(std::vector<HoldingRow> rows, Rgb face) : rows_(std::move(rows)), painter_(face) {}
    void setFace(Rgb face) { painter_.setBackground(face); }

    // `DrawPerStock` or `DrawPerAccount` of `kind` on `area`; bars from `firstBar`.
    bool Draw(ReportCanvas& canvas, const ReportRect& area, ChartKind kind, ChartScope scope,
              int firstBar = 0);
    bool StepItem(ReportCanvas& canvas, bool forward) { return painter_.StepItem(canvas, forward); }
    bool StepPage(ReportCanvas& canvas, bool forward) { return painter_.StepPage(canvas, forward); }
    bool Repaint(ReportCanvas& canvas) { return painter_.Repaint(canvas); }

    // The tooltip's text for the item under `point`; nothing when no item is hit.
    std::optional<std::string> TooltipAt(CanvasPoint point) const;

    const std::vector<LegendEntry>& legend() const { return legend_; }
    PagingButtons paging() const { return pagingButtons(painter_, scope_); }
    const ChartPainter& painter() const { return painter_; }

private:
    std::vector<HoldingRow> rows_;
    ChartPainter painter_;
    ChartScope scope_ = ChartScope::Stock;
    std::vector<LegendEntry> legend_;
};

}  // namespace fiscora::ui

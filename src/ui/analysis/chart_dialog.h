#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/analysis/chart_surface.h"
#include "ui/analysis/profit_charts.h"
#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// 图表分析: the profit charts of one account, opened in the kind its command chose. The kind
// and scope radios are choice fields (one entry per radio); the paging buttons 前移一项,
// 后移一项, 向前翻页 and 向后翻页 are its actions, with their keys (Left, Right, PgUp or Up,
// PgDown or Down) taken anywhere in the dialog; the mouse over the chart comes through
// OnMouseMove. Nothing is drawn until a view attaches the surface it shows the pictures on;
// the command line has none.
class ChartDialog : public DialogModel {
public:
    ChartDialog(Messages& messages, const std::string& accountName, std::vector<HoldingRow> rows,
                ChartKind requested);

    void attach(ChartSurface& surface);
    void OnInitDialog() override;

    // The tooltip's text at the mouse, or nothing (the tooltip is hidden).
    std::optional<std::string> OnMouseMove(CanvasPoint point) const;
    // The picture again (the window was uncovered, the pixel ratio changed).
    bool Repaint(ReportCanvas& canvas);

    const std::vector<LegendEntry>& legend() const { return charts_.legend(); }
    const PagingButtons& pagingButtons() const { return paging_; }
    ChartKind kind() const { return ChartKind(kindRadios.selected); }
    ChartScope scope() const { return ChartScope(scopeRadios.selected); }

    ChoiceField kindRadios;
    ChoiceField scopeRadios;

private:
    void OnKindChanged();
    // One item or one page back or forward.
    void OnPaging(bool page, bool forward);
    void UpdatePagingButtons() { paging_ = charts_.paging(); }
    bool compose(const std::function<bool(ReportCanvas&)>& draw);

    ChartSurface* surface_ = nullptr;
    ProfitCharts charts_;
    ChartKind requested_;
    PagingButtons paging_;
};

}  // namespace fiscora::ui

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
// and scope radios are drop-down fields (one entry per radio); the paging buttons and keys,
// and the mouse over the chart, come through the actions below. Nothing is drawn until a
// view attaches the surface it shows the pictures on; the command line has none.
class ChartDialog : public DialogModel {
public:
    enum class Paging { PreviousItem, NextItem, PreviousPage, NextPage };
    enum class Key { PageUp, PageDown, Up, Down, Left, Right };

    ChartDialog(Messages& messages, const std::string& accountName, std::vector<HoldingRow> rows,
                ChartKind requested);

    void attach(ChartSurface& surface);
    void OnInitDialog() override;

    // 前移一项, 后移一项, 向前翻页, 向后翻页.
    void OnPaging(Paging action);
    // The paging keys, anywhere in the dialog; every one of them is consumed.
    void OnKey(Key key);
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
    void UpdatePagingButtons() { paging_ = charts_.paging(); }
    bool compose(const std::function<bool(ReportCanvas&)>& draw);

    ChartSurface* surface_ = nullptr;
    ProfitCharts charts_;
    ChartKind requested_;
    PagingButtons paging_;
};

}  // namespace fiscora::ui

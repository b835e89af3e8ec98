#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/analysis/chart_dialog.h"

namespace fiscora::qt {

class ProfitChartArea;
class LegendList;

// 图表分析: the chart at the left; at the right the legend, the kind and scope radios, the
// model's paging buttons and 关闭. Resting the mouse on an item shows its figures in a tooltip.
class ChartView : public DialogView {
public:
    ChartView(ui::ChartDialog& model, QWidget* parent);

    ProfitChartArea* chartArea() const { return area_; }
    LegendList* legend() const { return legend_; }

    void refresh() override;

private:
    ui::ChartDialog& model_;
    ProfitChartArea* area_;
    LegendList* legend_;
};

}  // namespace fiscora::qt

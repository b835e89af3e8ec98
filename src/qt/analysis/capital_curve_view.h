#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/analysis/capital_curve_dialog.h"

namespace fiscora::qt {

class ChartArea;

// 资金曲线: the chart area at the left, the stock list, the two radios, 总资金图表 and 退出
// in a column of 130 pixels at the right. A right click on a day opens the context menu.
class CapitalCurveView : public DialogView {
public:
    CapitalCurveView(ui::CapitalCurveDialog& model, QWidget* parent);

    ChartArea* chartArea() const { return chart_; }

    // The chart is drawn again after every event.
    void refresh() override;

private:
    ChartArea* chart_;
};

}  // namespace fiscora::qt

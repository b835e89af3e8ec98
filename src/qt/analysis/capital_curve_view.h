#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/analysis/capital_curve_dialog.h"

class QCheckBox;
class QListWidget;
class QMenu;
class QRadioButton;

namespace fiscora::qt {

class ChartArea;

// 资金曲线: the chart area at the left, the stock list, the two radios, 总资金图表 and 退出
// in a column of 130 pixels at the right.
class CapitalCurveView : public DialogView {
public:
    CapitalCurveView(ui::CapitalCurveDialog& model, QWidget* parent);

    ChartArea* chartArea() const { return chart_; }
    QListWidget* stockList() const { return stocks_; }
    QCheckBox* totalBox() const { return total_; }
    // 画曲线图, 画柱状图.
    const std::vector<QRadioButton*>& styleRadios() const { return radios_; }
    // The context menu of a day; shown at the cursor by a right click on one.
    QMenu* dayMenu() const { return menu_; }

private:
    ui::CapitalCurveDialog& model_;
    ChartArea* chart_;
    QMenu* menu_;
    QListWidget* stocks_;
    QCheckBox* total_;
    std::vector<QRadioButton*> radios_;
};

}  // namespace fiscora::qt

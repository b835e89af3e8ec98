#pragma once

#include <QButtonGroup>

#include "qt/widgets/dialog_view.h"
#include "ui/analysis/chart_dialog.h"

namespace fiscora::qt {

class ProfitChartArea;
class HoverButton;
class LegendList;

// 图表分析: the chart at the left; at the right the legend, the kind and scope radios, the
// four paging buttons and 关闭. The paging keys work anywhere in the dialog; resting the mouse
// on an item shows its figures in a tooltip.
class ChartView : public DialogView {
public:
    ChartView(ui::ChartDialog& model, QWidget* parent);

    ProfitChartArea* chartArea() const { return area_; }
    LegendList* legend() const { return legend_; }
    QAbstractButton* kindRadio(int kind) const { return kinds_->button(kind); }
    QAbstractButton* scopeRadio(int scope) const { return scopes_->button(scope); }
    HoverButton* pagingButton(ui::ChartDialog::Paging action) const {
        return paging_[static_cast<int>(action)];
    }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QButtonGroup* radios(ui::ChoiceField& field, QWidget* box);
    void showChart();

    ui::ChartDialog& model_;
    ProfitChartArea* area_;
    LegendList* legend_;
    QButtonGroup* kinds_ = nullptr;
    QButtonGroup* scopes_ = nullptr;
    HoverButton* paging_[4] = {};
};

}  // namespace fiscora::qt

#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/analysis/returns_dialog.h"

namespace fiscora::qt {

class ChartArea;

// 收益分析: the choices in a row at the top, the figures of the whole period under them,
// the value chart, the table of periods and the buttons at the bottom.
class ReturnsView : public DialogView {
public:
    ReturnsView(ui::ReturnsDialog& model, QWidget* parent);

    ChartArea* chartArea() const { return chart_; }

    // The chart is drawn again after every event.
    void refresh() override;

private:
    ChartArea* chart_;
};

}  // namespace fiscora::qt

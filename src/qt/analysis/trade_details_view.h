#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/analysis/trade_details_dialog.h"

namespace fiscora::qt {

// 交易明细: the position's figures in the top band, the records as a report list, the
// selected record's remark below it beside the model's buttons and 关闭.
class TradeDetailsView : public DialogView {
public:
    TradeDetailsView(ui::TradeDetailsDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt

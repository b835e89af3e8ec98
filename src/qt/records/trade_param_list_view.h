#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/records/trade_param_list_dialog.h"

namespace fiscora::qt {

// 参数设置: the fee table's list with its market icons; the model's buttons and 关闭 beside it.
class TradeParamListView : public DialogView {
public:
    TradeParamListView(ui::TradeParamListDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt

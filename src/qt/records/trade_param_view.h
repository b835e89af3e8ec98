#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/records/trade_param_dialog.h"

namespace fiscora::qt {

// 增加参数 / 修改参数: one fee row, its market, prefix, name and six figures.
class TradeParamView : public DialogView {
public:
    TradeParamView(ui::TradeParamDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt

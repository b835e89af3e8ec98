#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/records/trade_param_dialog.h"

class QComboBox;
class QLineEdit;

namespace fiscora::qt {

// 增加参数 / 修改参数: one fee row, its market, prefix, name and six figures.
class TradeParamView : public DialogView {
public:
    TradeParamView(ui::TradeParamDialog& model, QWidget* parent);

    QComboBox* marketBox() const { return market_; }
    QLineEdit* codePrefixEdit() const { return codePrefix_; }
    QLineEdit* categoryNameEdit() const { return categoryName_; }
    QLineEdit* commissionEdit() const { return commission_; }
    QLineEdit* orderFeeEdit() const { return orderFee_; }

private:
    QComboBox* market_;
    QLineEdit* codePrefix_;
    QLineEdit* categoryName_;
    QLineEdit* commission_;
    QLineEdit* orderFee_;
};

}  // namespace fiscora::qt

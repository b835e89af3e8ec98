#pragma once

#include "records/trade_param.h"
#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// One fee row, new ("增加参数") or existing ("修改参数"). The boxes are filled when the
// dialog is made, so a showing after a conflict keeps the entries. Enter and the arrows
// move between the fields; Enter or Down in 委托费 confirms.
class TradeParamDialog : public DialogModel {
public:
    enum class Mode { Add = 1, Modify = 2 };

    // Add mode: "上海", empty texts, every number 0.
    explicit TradeParamDialog(Messages& messages);
    // Modify mode, showing `row`.
    TradeParamDialog(Messages& messages, const TradeParam& row);

    // Reads the boxes back and checks them in order (readTradeParamEntry); a refusal puts
    // the focus in the box to correct. Confirmed, row() holds the entries.
    bool OnConfirm() override;

    Mode mode() const { return mode_; }
    const TradeParam& row() const { return row_; }

    // Fields in tab order.
    ChoiceField market;
    TextField codePrefix;
    TextField categoryName;
    TextField commission;
    TextField minCommission;
    TextField stampDuty;
    TextField transferFee;
    TextField minTransferFee;
    TextField orderFee;

private:
    TradeParamDialog(Messages& messages, Mode mode, const TradeParam* row);

    Mode mode_;
    TradeParam row_{};
};

}  // namespace fiscora::ui

#pragma once

#include "qt/trade/transaction_view.h"
#include "ui/trade/cash_dialog.h"

namespace fiscora::qt {

// 追加资金 / 划出资金: date, the balance line over the amount, and the remark. Enter
// confirms from any field.
class CashView : public TransactionView {
public:
    CashView(ui::CashDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt

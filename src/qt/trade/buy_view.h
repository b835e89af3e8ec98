#pragma once

#include "qt/trade/transaction_view.h"
#include "ui/trade/buy_dialog.h"

namespace fiscora::qt {

// 买入股票: date, code and name, market, price, the quantity the cash buys, quantity,
// the fee, the expense, the cash and the remark.
class BuyView : public TransactionView {
public:
    BuyView(ui::BuyDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt

#pragma once

#include "qt/trade/transaction_view.h"
#include "ui/trade/sell_dialog.h"

namespace fiscora::qt {

// 卖出股票: date, the held codes and the name, market, quantity, the shares sellable and
// held, price, the fee, the break-even price, the proceeds, the profit and the remark.
class SellView : public TransactionView {
public:
    SellView(ui::SellDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt

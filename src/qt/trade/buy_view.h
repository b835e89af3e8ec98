#pragma once

#include "qt/trade/transaction_view.h"
#include "ui/trade/buy_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace fiscora::qt {

// 买入股票: date, code and name, market, price, the quantity the cash buys, quantity,
// the fee, the expense, the cash and the remark.
class BuyView : public TransactionView {
public:
    BuyView(ui::BuyDialog& model, QWidget* parent);

    QLineEdit* codeEdit() const { return code_; }
    QLabel* nameLabel() const { return name_; }
    QComboBox* marketBox() const { return market_; }
    QLineEdit* priceEdit() const { return price_; }
    QLineEdit* quantityEdit() const { return quantity_; }
    QLineEdit* maxBuyableBox() const { return maxBuyable_; }
    QLineEdit* commissionBox() const { return commission_; }
    QLineEdit* expenseBox() const { return expense_; }
    QLineEdit* remarkEdit() const { return remark_; }

private:
    QLineEdit* code_;
    QLabel* name_;
    QComboBox* market_;
    QLineEdit* price_;
    QLineEdit* quantity_;
    QLineEdit* maxBuyable_;
    QLineEdit* commission_;
    QLineEdit* expense_;
    QLineEdit* remark_;
};

}  // namespace fiscora::qt

#pragma once

#include "qt/trade/transaction_view.h"
#include "ui/trade/sell_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace fiscora::qt {

// 卖出股票: date, the held codes and the name, market, quantity, the shares sellable and
// held, price, the fee, the break-even price, the proceeds, the profit and the remark.
class SellView : public TransactionView {
public:
    SellView(ui::SellDialog& model, QWidget* parent);

    QComboBox* codeBox() const { return code_; }
    QLabel* nameLabel() const { return name_; }
    QComboBox* marketBox() const { return market_; }
    QLineEdit* quantityEdit() const { return quantity_; }
    QLineEdit* sellableBox() const { return sellable_; }
    QLineEdit* heldBox() const { return held_; }
    QLineEdit* priceEdit() const { return price_; }
    QLineEdit* commissionBox() const { return commission_; }
    QLineEdit* incomeBox() const { return income_; }
    QLineEdit* profitBox() const { return profit_; }
    QPlainTextEdit* remarkEdit() const { return remark_; }

private:
    QComboBox* code_;
    QLabel* name_;
    QComboBox* market_;
    QLineEdit* quantity_;
    QLineEdit* sellable_;
    QLineEdit* held_;
    QLineEdit* price_;
    QLineEdit* commission_;
    QLineEdit* income_;
    QLineEdit* profit_;
    QPlainTextEdit* remark_;
};

}  // namespace fiscora::qt

#pragma once

#include "qt/trade/transaction_view.h"
#include "ui/trade/cash_dialog.h"

class QLabel;
class QLineEdit;

namespace fiscora::qt {

// 追加资金 / 划出资金: date, the balance line over the amount, and the remark. Enter
// confirms from any field.
class CashView : public TransactionView {
public:
    CashView(ui::CashDialog& model, QWidget* parent);

    QLabel* balanceLabel() const { return balance_; }
    QLineEdit* amountEdit() const { return amount_; }
    QLineEdit* remarkEdit() const { return remark_; }

private:
    QLabel* balance_;
    QLineEdit* amount_;
    QLineEdit* remark_;
};

}  // namespace fiscora::qt

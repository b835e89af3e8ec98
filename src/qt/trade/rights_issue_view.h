#pragma once

#include "qt/trade/held_stock_view.h"
#include "ui/trade/rights_issue_dialog.h"

class QLineEdit;

namespace fiscora::qt {

// 配股: date, market, the held codes and the name, the scheme, the shares held, the most
// that may be subscribed, the quantity and price subscribed, the fee, the expense, the
// cash and the remark.
class RightsIssueView : public HeldStockView {
public:
    RightsIssueView(ui::RightsIssueDialog& model, QWidget* parent);

    QLineEdit* perEdit() const { return per_; }
    QLineEdit* grantEdit() const { return grant_; }
    QLineEdit* quantityEdit() const { return quantity_; }
    QLineEdit* priceEdit() const { return price_; }
    QLineEdit* commissionBox() const { return commission_; }
    QLineEdit* expenseBox() const { return expense_; }
    QLineEdit* remarkEdit() const { return remark_; }

private:
    QLineEdit* per_;
    QLineEdit* grant_;
    QLineEdit* quantity_;
    QLineEdit* price_;
    QLineEdit* commission_;
    QLineEdit* expense_;
    QLineEdit* remark_;
};

}  // namespace fiscora::qt

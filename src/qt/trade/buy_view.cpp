#include "qt/trade/buy_view.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

namespace fiscora::qt {

BuyView::BuyView(ui::BuyDialog& model, QWidget* parent)
    : TransactionView(model, parent), code_(lineEdit(model.code)), name_(text(model.nameLabel)),
      market_(dropDown(model.market)), price_(lineEdit(model.price)),
      quantity_(lineEdit(model.quantity)), maxBuyable_(lineEdit(model.maxBuyable)),
      commission_(lineEdit(model.commission)), expense_(lineEdit(model.expense)),
      remark_(lineEdit(model.remark)) {
    addRow(dateEdit());
    addRow(code_, name_);
    addRow(market_);
    addRow(price_);
    addRow(maxBuyable_);
    addRow(quantity_);
    addRow(commission_);
    addRow(expense_);
    addRow(lineEdit(model.cash));
    addRow(remark_);
    name_->setMinimumWidth(numberBoxWidth());
    finish();
}

}  // namespace fiscora::qt

#include "qt/trade/sell_view.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

SellView::SellView(ui::SellDialog& model, QWidget* parent)
    : TransactionView(model, parent), code_(dropDown(model.code)), name_(text(model.nameLabel)),
      market_(dropDown(model.market)), quantity_(lineEdit(model.sellQuantity)),
      sellable_(lineEdit(model.sellable)), held_(lineEdit(model.held)),
      price_(lineEdit(model.price)), commission_(lineEdit(model.commission)),
      income_(lineEdit(model.totalIncome)), profit_(lineEdit(model.floatingProfit)),
      remark_(textEdit(model.remark)) {
    addRow(dateEdit());
    addRow(code_, name_);
    addRow(market_);
    addRow(quantity_);
    addRow(sellable_);
    addRow(held_);
    addRow(price_);
    addRow(commission_);
    addRow(lineEdit(model.breakEvenPrice));
    addRow(income_);
    addRow(profit_);
    addRow(remark_);
    name_->setMinimumWidth(numberBoxWidth());
    remark_->setFixedHeight(DialogUnits(font()).y(30));
    finish();
}

}  // namespace fiscora::qt

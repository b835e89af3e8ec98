#include "qt/trade/buy_view.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

namespace fiscora::qt {

BuyView::BuyView(ui::BuyDialog& model, QWidget* parent)
    : TransactionView(model, parent), code_(new QLineEdit(this)), name_(new QLabel(this)),
      market_(new QComboBox(this)), price_(new QLineEdit(this)), quantity_(new QLineEdit(this)),
      maxBuyable_(figureBox(model.maxBuyable)), commission_(figureBox(model.commission)),
      expense_(figureBox(model.expense)), cash_(figureBox(model.cash)),
      remark_(new QLineEdit(this)) {
    using D = ui::BuyDialog;
    const std::string& unit = model.currencyUnit();
    addRow(D::kDateLabel, dateEdit());
    addRow(D::kCodeLabel, code_, name_);
    addRow(D::kMarketLabel, market_);
    addRow(D::kPriceLabel, price_, note(unit));
    addRow(D::kMaxBuyableLabel, maxBuyable_);
    addRow(D::kQuantityLabel, quantity_);
    addRow(D::kCommissionLabel, commission_, note(unit));
    addRow(D::kExpenseLabel, expense_, note(unit));
    addRow(D::kCashLabel, cash_, note(unit));
    addRow(D::kRemarkLabel, remark_);
    for (QLineEdit* box : {price_, quantity_}) box->setAlignment(Qt::AlignRight);
    name_->setMinimumWidth(numberBoxWidth());
    chainTabs({dateEdit(), code_, market_, price_, quantity_, remark_});
    finish();

    bindField(dateEdit(), model.tradeDate);
    bindField(code_, model.code);
    bindings().bind(name_, model.nameLabel);
    bindField(market_, model.market, [&model] { model.OnMarketSelected(); });
    bindField(price_, model.price, [&model] { model.UpdateFigures(); });
    bindField(quantity_, model.quantity, [&model] { model.UpdateFigures(); });
    bindField(remark_, model.remark);
}

}  // namespace fiscora::qt

#include "qt/trade/sell_view.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

SellView::SellView(ui::SellDialog& model, QWidget* parent)
    : TransactionView(model, parent), code_(new QComboBox(this)), name_(new QLabel(this)),
      market_(new QComboBox(this)), quantity_(new QLineEdit(this)),
      sellable_(figureBox(model.sellable)), held_(figureBox(model.held)),
      price_(new QLineEdit(this)), commission_(figureBox(model.commission)),
      breakEven_(figureBox(model.breakEvenPrice)), income_(figureBox(model.totalIncome)),
      profit_(new QLineEdit(this)), remark_(new QPlainTextEdit(this)) {
    using D = ui::SellDialog;
    const std::string& unit = model.currencyUnit();
    addRow(D::kDateLabel, dateEdit());
    addRow(D::kCodeLabel, code_, name_);
    addRow(D::kMarketLabel, market_);
    addRow(D::kQuantityLabel, quantity_);
    addRow(D::kSellableLabel, sellable_);
    addRow(D::kHeldLabel, held_);
    addRow(D::kPriceLabel, price_, note(unit));
    addRow(D::kCommissionLabel, commission_, note(unit));
    addRow(D::kBreakEvenLabel, breakEven_, note(D::kBreakEvenNote));
    addRow(D::kIncomeLabel, income_, note(unit));
    addRow(D::kProfitLabel, profit_, note(unit));
    addRow(D::kRemarkLabel, remark_);
    for (QLineEdit* box : {quantity_, price_, profit_}) box->setAlignment(Qt::AlignRight);
    showReadOnly(profit_);
    name_->setMinimumWidth(numberBoxWidth());
    remark_->setTabChangesFocus(true);
    remark_->setFixedHeight(DialogUnits(font()).y(30));
    chainTabs({dateEdit(), code_, market_, quantity_, price_, remark_, profit_});
    finish();

    bindField(dateEdit(), model.tradeDate, [&model] { model.OnDateChanged(); });
    bindField(code_, model.code, [&model] { model.OnCodeSelected(); });
    bindings().bind(name_, model.nameLabel);
    bindField(market_, model.market, [&model] { model.OnCodeSelected(); });
    bindField(quantity_, model.sellQuantity, [&model] { model.UpdateFigures(); });
    bindField(price_, model.price, [&model] { model.UpdateFigures(); });
    bindField(remark_, model.remark);
    bindField(profit_, model.floatingProfit);
}

}  // namespace fiscora::qt

#include "ui/trade/buy_dialog.h"

#include "engine/number_format.h"
#include "host/module_state.h"
#include "ui/trade/cash_limit.h"
#include "ui/trade/leading_number.h"
#include "ui/trade/market_choice.h"
#include "ui/trade/stock_code_box.h"

namespace fiscora::ui {

BuyDialog::BuyDialog(Messages& messages, std::string accountName, std::string currencyUnit,
                     double availableCash, const TradeParamTable& tradeParams)
    : TransactionDialog(messages, "买入股票", std::move(accountName), std::move(currencyUnit),
                        Keys::StockNavigation),
      availableCash_(availableCash), tradeParams_(tradeParams) {
    tradeDate.label = "日期";
    declare(code, "code", "股票");
    makeStockCodeBox(code);
    declare(nameLabel, "name");
    declareMarket(market, "市场类型");
    makeNumberBox(price, "price", "价格");
    makeFigureBox(maxBuyable, "max-buyable", "可买数量");
    makeNumberBox(quantity, "quantity", "买入数量");
    makeFigureBox(commission, "commission", "佣金");
    makeFigureBox(expense, "expense", "开支");
    makeFigureBox(cash, "cash", "现金");
    for (TextField* inUnits : {&price, &commission, &expense, &cash})
        inUnits->note = this->currencyUnit();
    for (Field* needed : std::initializer_list<Field*>{&code, &price, &quantity})
        needed->required = true;
    setFields({&tradeDate, &code, &market, &price, &quantity, &remark});
    onLeave(code, [this](const Field* to) { OnCodeKillFocus(to); });
    onChange(market, [this] { OnMarketSelected(); });
    onChange(price, [this] { UpdateFigures(); });
    onChange(quantity, [this] { UpdateFigures(); });
}

void BuyDialog::OnInitDialog() {
    // The boxes start from zeroed values; the price box's change leaves 可买数量 at 0.
    for (TextField* box : {&quantity, &price, &commission, &expense}) box->text = "0";
    code.text.clear();
    remark.text.clear();
    nameLabel.text = "股票名称";
    maxBuyable.text = "0";
    openTransaction();
    tradeParam_ = defaultTradeParams();
    cash.text = formatAmount(availableCash_);
    presetMarket(market, currencyUnit());
    TransactionDialog::OnInitDialog();
}

void BuyDialog::UpdateFigures() {
    if (quantity.text.empty()) return;
    const std::uint32_t shares = leadingUnsigned(quantity.text);
    if (price.text.empty()) return;
    const double perShare = leadingNumber(price.text);
    const double fee = tradeFee(perShare, shares, tradeParam_);
    commission.text = formatAmount(fee);
    expense.text = formatAmount(static_cast<double>(shares) * perShare + fee);
    maxBuyable.text = std::to_string(affordableQuantity(availableCash_, perShare));
}

void BuyDialog::OnCodeKillFocus(const Field* to) {
    // Leaving for 确定 or 取消 keeps the last lookup's verdict.
    if (to == nullptr) return;
    if (code.text.size() != kStockCodeChars) {
        focusOn(code);
        nameLabel.text = kStockCodeLengthMessage;
        return;
    }
    if (applyMarketOfCode(market, code.text)) focusOn(price);
    tradeParam_ = tradeParamFor(tradeParams_, market.selectedText(), code.text);
    lookUpName();
    UpdateFigures();
}

void BuyDialog::OnMarketSelected() {
    lookUpName();
    OnCodeKillFocus(&market);
    UpdateFigures();
}

void BuyDialog::lookUpName() {
    codeValid_ = showStockName(code, market, nameLabel);
}

bool BuyDialog::OnConfirm() {
    const auto shares = readQuantity(quantity);
    if (!shares) return false;
    if (!readNumber(cash)) return false;
    const auto perShare = readNumber(price);
    if (!perShare) return false;
    if (!checkRepresentable(price, static_cast<double>(*shares) * *perShare +
                                       tradeFee(*perShare, *shares, tradeParam_)))
        return false;
    const auto spent = readNumber(expense);
    if (!spent) return false;
    const auto fee = readNumber(commission);
    if (!fee) return false;
    if (!readRemark()) return false;

    if (!codeValid_) {
        messages().plain("不正确的股票代码");
        focusOn(code);
        return false;
    }
    if (code.text.empty()) {
        messages().plain("请把数据填完整");
        return false;
    }
    if (*perShare <= 0 || *shares == 0 || *fee < 0) {
        messages().plain("价格数量的值不能小于等于零,佣金的值不能为负");
        return false;
    }
    // Against the cash the caller gave, as 可买数量 counts it, not the rounded box.
    if (!cashCovers(availableCash_, static_cast<double>(*shares) * *perShare)) {
        messages().plain("现金超支，不能买入，请减小买入量");
        return false;
    }
    quantity_ = *shares;
    price_ = *perShare;
    commission_ = *fee;
    expense_ = *spent;
    market_ = chosenMarket(market);
    return true;
}

std::optional<LedgerRecord> BuyDialog::confirmedRecord() const {
    return bookedRecord(RecordType::Buy, expense_,
                        StockTrade{market_, code.text, quantity_, price_, commission_});
}

}  // namespace fiscora::ui

#include "ui/trade/buy_dialog.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "engine/number_format.h"
#include "host/module_state.h"
#include "host/quote_source.h"
#include "ui/trade/leading_number.h"
#include "ui/trade/market_choice.h"

namespace fiscora::ui {
namespace {

constexpr std::size_t kCodeChars = 6;

// cash / price truncated toward zero, kept within what an int can show.
int affordableQuantity(double cash, double price) {
    if (price == 0) return 0;
    const double shares = std::trunc(cash / price);
    if (!(shares < static_cast<double>(std::numeric_limits<int>::max())))
        return std::numeric_limits<int>::max();
    if (!(shares > static_cast<double>(std::numeric_limits<int>::min())))
        return std::numeric_limits<int>::min();
    return static_cast<int>(shares);
}

}  // namespace

BuyDialog::BuyDialog(Messages& messages, std::string accountName, std::string currencyUnit,
                     double availableCash, const TradeParamTable& tradeParams)
    : TransactionDialog(messages, kAction, std::move(accountName), Keys::StockNavigation),
      currencyUnit_(std::move(currencyUnit)), availableCash_(availableCash),
      tradeParams_(tradeParams) {
    code.maxChars = kCodeChars;
    code.digitsOnly = true;
    for (TextField* box : {&price, &quantity}) makeNumberBox(*box);
    for (TextField* box : {&maxBuyable, &commission, &expense, &cash}) makeNumberBox(*box, true);
    setFields({&tradeDate, &code, &market, &price, &quantity, &remark});
}

void BuyDialog::OnInitDialog() {
    // The boxes start from zeroed values; the price box's change leaves 可买数量 at 0.
    for (TextField* box : {&quantity, &price, &commission, &expense}) box->text = "0";
    code.text.clear();
    remark.text.clear();
    nameLabel.text = kNamePlaceholder;
    maxBuyable.text = "0";
    openTransaction();
    tradeParam_ = defaultTradeParams();
    cash.text = formatAmount(availableCash_);
    presetMarket(market, currencyUnit_);
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

void BuyDialog::OnFocusMoved(const Field& from, const Field* to) {
    if (&from == &code) OnCodeKillFocus(to);
}

void BuyDialog::OnCodeKillFocus(const Field* to) {
    // Leaving for 确定 or 取消 keeps the last lookup's verdict.
    if (to == nullptr) return;
    if (code.text.size() != kCodeChars) {
        focusOn(code);
        nameLabel.text = "必须输入六位股票代码";
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
    std::string name;
    codeValid_ = fiscora::stockName(code.text, market.selectedText(), name);
    nameLabel.text = codeValid_ ? name : "非法代码";
}

bool BuyDialog::OnConfirm() {
    const auto shares = readQuantity(quantity);
    if (!shares) return false;
    const auto cashShown = readNumber(cash);
    if (!cashShown) return false;
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
    if (static_cast<double>(*shares) * *perShare > *cashShown) {
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

}  // namespace fiscora::ui

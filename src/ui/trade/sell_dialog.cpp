#include "ui/trade/sell_dialog.h"

#include <algorithm>

#include "engine/number_format.h"
#include "host/module_state.h"
#include "host/quote_source.h"
#include "records/gbk_text.h"
#include "ui/trade/leading_number.h"
#include "ui/trade/market_choice.h"

namespace fiscora::ui {

SellDialog::SellDialog(Messages& messages, std::string accountName, std::string currencyUnit,
                       Workspace& workspace)
    : TransactionDialog(messages, kAction, std::move(accountName), Keys::StockNavigation),
      currencyUnit_(std::move(currencyUnit)), workspace_(workspace) {
    for (TextField* box : {&sellQuantity, &price}) makeNumberBox(*box);
    for (TextField* box :
         {&floatingProfit, &sellable, &held, &commission, &breakEvenPrice, &totalIncome}) {
        makeNumberBox(*box, true);
    }
    remark.multiLine = true;
    setFields({&tradeDate, &code, &market, &sellQuantity, &price, &remark, &floatingProfit});
}

void SellDialog::OnInitDialog() {
    // Zeroed values first; with the price at 0 the figures are not computed.
    for (TextField* box : {&sellQuantity, &price, &floatingProfit, &sellable, &held, &commission,
                           &breakEvenPrice, &totalIncome}) {
        box->text = "0";
    }
    code.items.clear();
    code.selected = -1;
    remark.text.clear();
    nameLabel.text = kNamePlaceholder;
    tradeParam_ = defaultTradeParams();
    openTransaction();
    workspace_.recomputeHoldings();
    presetMarket(market, currencyUnit_);

    // A code held in both markets is listed once; the list is sorted.
    for (const Holding& h : workspace_.holdings) {
        const std::string text = gbkToUtf8(h.stockCode);
        if (std::find(code.items.begin(), code.items.end(), text) == code.items.end())
            code.items.push_back(text);
    }
    std::sort(code.items.begin(), code.items.end());
    if (!code.items.empty()) {
        code.selected = 0;
        OnCodeSelected();
        showHolding();
    }
    showSellable();
    TransactionDialog::OnInitDialog();
}

void SellDialog::OnDateChanged() {
    workspace_.sellable = computeSellable(workspace_.ledger, tradeDate.date);
    OnCodeSelected();
}

void SellDialog::OnCodeSelected() {
    if (code.selected < 0) return;
    const std::string chosen = code.selectedText();
    if (applyMarketOfCode(market, chosen)) focusOn(sellQuantity);
    std::string name;
    fiscora::stockName(chosen, market.selectedText(), name);
    nameLabel.text = name;
    tradeParam_ = tradeParamFor(workspace_.tradeParams, market.selectedText(), chosen);
    showHolding();
    showSellable();
    UpdateFigures();
}

void SellDialog::showHolding() {
    const Holding* h = selectedIn(workspace_.holdings);
    if (h == nullptr) {
        held.text = "0";
        return;
    }
    held.text = formatQuantity(h->heldQty());
    breakEvenPrice.text = formatAmount(
        breakEven(h->buyAmount, static_cast<std::uint32_t>(h->heldQty()), tradeParam_));
}

void SellDialog::showSellable() {
    const Holding* h = selectedIn(workspace_.sellable);
    sellable.text = formatQuantity(h != nullptr ? h->heldQty() : 0);
}

const Holding* SellDialog::selectedIn(const Holdings& list) const {
    if (code.selected < 0) return nullptr;
    const auto gbkCode = utf8ToGbk(code.selectedText());
    if (!gbkCode) return nullptr;
    const std::int32_t chosen = chosenMarket(market);
    for (const Holding& h : list) {
        if (h.market == chosen && h.stockCode == *gbkCode) return &h;
    }
    return nullptr;
}

void SellDialog::UpdateFigures() {
    if (price.text.empty()) return;
    const double perShare = leadingNumber(price.text);
    if (perShare == 0) return;
    price_ = perShare;
    const std::uint32_t shares = leadingUnsigned(sellQuantity.text);
    if (shares == 0) return;
    const double fee = tradeFee(perShare, shares, tradeParam_);
    const double income = static_cast<double>(shares) * perShare - fee;
    commission.text = formatAmount(fee);
    totalIncome.text = formatAmount(income);
    const Holding* h = selectedIn(workspace_.holdings);
    if (h != nullptr && h->boughtQty + h->bonusQty != 0) {
        const double averagePrice = h->buyAmount / static_cast<double>(h->boughtQty + h->bonusQty);
        floatingProfit.text = formatAmount(income - static_cast<double>(shares) * averagePrice);
    }
}

bool SellDialog::OnConfirm() {
    sold_ = false;
    if (code.items.empty()) return true;

    const auto shares = readQuantity(sellQuantity);
    if (!shares) return false;
    const auto mayBeSold = readUnsigned(sellable);
    if (!mayBeSold || !readUnsigned(held)) return false;
    const auto perShare = readNumber(price);
    if (!perShare) return false;
    const double proceeds = static_cast<double>(*shares) * *perShare;
    if (!checkRepresentable(price, proceeds - tradeFee(*perShare, *shares, tradeParam_)) ||
        !checkRepresentable(price, cashBalance(workspace_.ledger) + proceeds))
        return false;
    const auto fee = readNumber(commission);
    if (!fee || !readNumber(breakEvenPrice)) return false;
    const auto income = readNumber(totalIncome);
    if (!income || !readNumber(floatingProfit) || !readRemark()) return false;

    if (*shares == 0) {
        messages().plain("卖出数量不能小于等于零，请重新输入卖出数量");
        return false;
    }
    if (*perShare <= 0) {
        messages().plain("卖出价格不能小于等于零，请重新输入卖出价格");
        return false;
    }
    if (*shares > *mayBeSold) {
        messages().plain("卖出数量超过了今天可出售股票数，请重新填写卖出数量");
        return false;
    }
    chosenCode_ = code.selectedText();
    market_ = chosenMarket(market);
    quantity_ = *shares;
    price_ = *perShare;
    commission_ = *fee;
    income_ = *income;
    sold_ = true;
    return true;
}

}  // namespace fiscora::ui

#include "ui/trade/sell_dialog.h"

#include "engine/number_format.h"
#include "host/module_state.h"
#include "host/quote_source.h"
#include "ui/trade/held_codes.h"
#include "ui/trade/leading_number.h"
#include "ui/trade/market_choice.h"

namespace fiscora::ui {

SellDialog::SellDialog(Messages& messages, std::string accountName, std::string currencyUnit,
                       const Workspace& workspace)
    : TransactionDialog(messages, "卖出股票", std::move(accountName), std::move(currencyUnit),
                        Keys::StockNavigation),
      workspace_(workspace), tradeParams_(workspace.tradeParams), holdings_(workspace.holdings) {
    declare(code, "code", "股票代码");
    declare(nameLabel, "name");
    declareMarket(market, "市场类型");
    makeNumberBox(sellQuantity, "quantity", "卖出数量");
    makeFigureBox(sellable, "sellable", "可卖数量");
    makeFigureBox(held, "held", "持股数量");
    makeNumberBox(price, "price", "卖出价格");
    makeFigureBox(commission, "commission", "佣金支出");
    makeFigureBox(breakEvenPrice, "break-even", "保本价格");
    breakEvenPrice.note = "[已扣除佣金]";
    makeFigureBox(totalIncome, "income", "总计收入");
    makeFigureBox(floatingProfit, "profit", "浮动盈亏");
    for (TextField* inUnits : {&price, &commission, &totalIncome, &floatingProfit})
        inUnits->note = this->currencyUnit();
    remark.multiLine = true;
    for (Field* needed : std::initializer_list<Field*>{&code, &sellQuantity, &price})
        needed->required = true;
    setFields({&tradeDate, &code, &market, &sellQuantity, &price, &remark, &floatingProfit});
    onChange(tradeDate, [this] { OnDateChanged(); });
    onChange(code, [this] { OnCodeSelected(); });
    onChange(market, [this] { OnCodeSelected(); });
    onChange(sellQuantity, [this] { UpdateFigures(); });
    onChange(price, [this] { UpdateFigures(); });
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
    nameLabel.text = "股票名称";
    tradeParam_ = defaultTradeParams();
    openTransaction();
    presetMarket(market, currencyUnit());

    listHeldCodes(code, holdings_);
    if (openingStock()) selectHeldStock(code, market, *openingStock());
    if (code.selected >= 0) {
        OnCodeSelected();
        showHolding();
    }
    showSellable();
    TransactionDialog::OnInitDialog();
}

void SellDialog::OnDateChanged() {
    OnCodeSelected();
}

void SellDialog::OnCodeSelected() {
    if (code.selected < 0) return;
    const std::string chosen = code.selectedText();
    if (applyMarketOfCode(market, chosen)) focusOn(sellQuantity);
    std::string name;
    fiscora::stockName(chosen, market.selectedText(), name);
    nameLabel.text = name;
    tradeParam_ = tradeParamFor(tradeParams_, market.selectedText(), chosen);
    showHolding();
    showSellable();
    UpdateFigures();
}

void SellDialog::showHolding() {
    const Holding* h = selectedIn(holdings_);
    if (h == nullptr) {
        held.text = "0";
        return;
    }
    held.text = formatQuantity(h->heldQty());
    breakEvenPrice.text = formatAmount(holdingBreakEven(*h, tradeParam_));
}

void SellDialog::showSellable() {
    sellableHoldings_.clear();
    if (code.selected >= 0)
        sellableHoldings_ =
            workspace_.sellableOn(tradeDate.date, chosenMarket(market), code.selectedText());
    const Holding* h = selectedIn(sellableHoldings_);
    sellable.text = formatQuantity(h != nullptr ? h->heldQty() : 0);
}

const Holding* SellDialog::selectedIn(const Holdings& list) const {
    if (code.selected < 0) return nullptr;
    return findHolding(list, chosenMarket(market), code.selectedText());
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
    const Holding* h = selectedIn(holdings_);
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
    const auto mayBeSold = readShareTotal(sellable);
    if (!mayBeSold || !readShareTotal(held)) return false;
    const auto perShare = readNumber(price);
    if (!perShare) return false;
    const double proceeds = static_cast<double>(*shares) * *perShare;
    if (!checkRepresentable(price, proceeds - tradeFee(*perShare, *shares, tradeParam_)) ||
        !checkRepresentable(price, workspace_.cashBalance() + proceeds))
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
    if (std::int64_t{*shares} > *mayBeSold) {
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

std::optional<LedgerRecord> SellDialog::confirmedRecord() const {
    if (!sold_) return std::nullopt;
    return bookedRecord(RecordType::Sell, income_,
                        StockTrade{market_, chosenCode_, quantity_, price_, commission_});
}

}  // namespace fiscora::ui

#include "engine/account_summary.h"

#include <vector>

#include "engine/holdings.h"
#include "engine/trade_fee.h"
#include "host/quote_source.h"
#include "records/gbk_text.h"
#include "records/trading_terms.h"

namespace fiscora {

std::string tradeTypeOfCurrencyUnit(const std::string& unit) {
    const TradeType* type = tradeTypeOfUnit(unit);
    return (type != nullptr ? *type : kShenzhenBShares).text;
}

namespace {

AccountSummary summaryOf(const Workspace& workspace, const AccountInfo& account,
                         const Holdings& holdings, const CashSums& cash) {
    AccountSummary s;
    s.accountName = fieldText(account.name);
    s.currencyUnit = currencyUnitOfTradeType(fieldText(account.tradeType));
    s.tradeType = tradeTypeOfCurrencyUnit(s.currencyUnit);

    s.netCashIn = cash.netCashIn;
    s.cashBalance = cash.balance;
    s.holdingCount = static_cast<std::int64_t>(holdings.size());

    // The figures are summed in the order the window sums them, so that the totals match
    // to the last bit: market value first, then cost, realised and current profit.
    std::vector<HoldingFigures> figures;
    figures.reserve(holdings.size());
    for (const Holding& h : holdings) {
        const double price = latestPriceByMarket(h.stockCode, h.market);
        figures.push_back(holdingFigures(h, price, workspace.feeRowFor(h.market, h.stockCode)));
        s.marketValue += figures.back().marketValue;
    }
    s.totalAssets = s.marketValue + s.cashBalance;

    double soldCost = 0;
    for (std::size_t i = 0; i < holdings.size(); ++i) {
        s.investmentCost += holdings[i].buyAmount;
        soldCost += figures[i].averagePrice * static_cast<double>(holdings[i].soldQty);
        s.realisedProfit += figures[i].realisedProfit;
        s.currentProfit += figures[i].currentProfit;
    }
    s.realisedRate = soldCost != 0 ? s.realisedProfit / soldCost * 100 : 0;
    s.currentRate = s.investmentCost != 0 ? s.currentProfit / s.investmentCost * 100 : 0;
    return s;
}

}  // namespace

AccountSummary accountSummary(const Workspace& workspace, const AccountInfo& account) {
    const Ledger& ledger = workspace.ledger;
    return summaryOf(workspace, account, computeHoldings(ledger, 0, -1), cashSumsOf(ledger));
}

AccountSummary keptAccountSummary(const Workspace& workspace, const AccountInfo& account) {
    return summaryOf(workspace, account, workspace.holdings, workspace.cashSums());
}

}  // namespace fiscora

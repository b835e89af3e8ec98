#include "support/builders.h"

#include "records/gbk_text.h"

namespace fiscora::test {

AccountInfo account(const std::string& name, const std::string& password,
                    const std::string& tradeType, double initialCapital, std::int32_t createdDate) {
    AccountInfo a{};
    storeText(a.name, name);
    storeText(a.password, password);
    storeText(a.tradeType, tradeType);
    a.initialCapital = initialCapital;
    a.createdDate = createdDate;
    return a;
}

LedgerRecord stockRecord(RecordType kind, std::int32_t date, const std::string& code,
                         std::int32_t quantity, double price, double fee, std::int32_t market) {
    LedgerRecord r = makeRecord(kind, date);
    r.market = market;
    storeBytes(r.stockCode, code);
    r.quantity = quantity;
    r.price = price;
    r.fee = fee;
    switch (kind) {
    case RecordType::Buy:
    case RecordType::RightsIssue: r.amount = quantity * price + fee; break;
    case RecordType::Sell: r.amount = quantity * price - fee; break;
    case RecordType::Dividend: r.amount = quantity * price; break;
    default: break;
    }
    return r;
}

LedgerRecord cashRecord(RecordType kind, std::int32_t date, double amount) {
    LedgerRecord r = makeRecord(kind, date);
    r.amount = amount;
    return r;
}

Ledger manyPurchases(int count) {
    Ledger records;
    for (int i = 0; i < count; ++i)
        records.push_back(stockRecord(RecordType::Buy, 20240102 + i % 20,
                                      std::to_string(600000 + i % 37), 100 + i, 10.5, 5));
    return records;
}

TradeParam feeRow(std::int32_t market, const std::string& prefix, const std::string& name,
                  double commissionRate) {
    TradeParam p{};
    p.market = market;
    storeBytes(p.codePrefix, prefix);
    storeText(p.categoryName, name);
    p.commissionRate = commissionRate;
    return p;
}

std::vector<HoldingRow> numberedStocks(int n, const std::function<double(int)>& profit) {
    std::vector<HoldingRow> rows(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        HoldingRow& r = rows[static_cast<std::size_t>(i)];
        r.holding.stockCode = std::to_string(600000 + i);
        r.name = "股票" + std::to_string(i);
        r.holding.buyAmount = 100;
        r.figures.currentProfit = profit(i);
        r.figures.currentRate = profit(i) / 100;
    }
    return rows;
}

}  // namespace fiscora::test

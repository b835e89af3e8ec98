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

}  // namespace fiscora::test

#include "engine/ledger_filter.h"

#include "records/gbk_text.h"

namespace fiscora {

LedgerFilter LedgerFilter::oneDay(std::int32_t day, std::optional<std::string> gbkCode) {
    LedgerFilter f;
    f.byTime = true;
    f.from = day;
    f.to = day;
    if (gbkCode) {
        f.byCode = true;
        f.gbkCode = std::move(*gbkCode);
    }
    return f;
}

LedgerFilter LedgerFilter::oneStock(std::int32_t market, std::string gbkCode) {
    LedgerFilter f;
    f.byCode = true;
    f.gbkCode = std::move(gbkCode);
    f.byMarket = true;
    f.market = market;
    return f;
}

bool LedgerFilter::shows(const LedgerRecord& r) const {
    if (byTime && (r.date < from || r.date > to)) return false;
    if (byKind && r.type != static_cast<std::int32_t>(kind)) return false;
    // The code filter hides every cash record, whatever the code.
    if (byCode && (!r.isStock() || fieldBytes(r.stockCode) != gbkCode)) return false;
    if (byMarket && r.market != market) return false;
    return true;
}

const std::vector<std::string>& ledgerKindItems() {
    static const std::vector<std::string> items = {"投入资金", "划出资金", "买入股票", "卖出股票",
                                                   "股票分红", "送股",     "配股"};
    return items;
}

RecordType kindFromListText(std::string_view text) {
    for (const RecordType kind :
         {RecordType::CashIn, RecordType::CashOut, RecordType::Buy, RecordType::Sell,
          RecordType::Dividend, RecordType::BonusShares, RecordType::RightsIssue}) {
        if (kindName(static_cast<std::int32_t>(kind)) == text) return kind;
    }
    return RecordType::None;
}

ViewRows refillViewRows(Ledger& ledger, const LedgerFilter& filter) {
    ViewRows rows;
    for (std::size_t i = 0; i < ledger.size(); ++i) {
        LedgerRecord& r = ledger[i];
        if (filter.shows(r)) {
            r.viewRow = static_cast<std::int32_t>(rows.size());
            rows.push_back(i);
        } else {
            r.viewRow = -1;
        }
    }
    return rows;
}

}  // namespace fiscora

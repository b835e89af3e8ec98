#include "records/ledger_record.h"

#include <cstring>

namespace fiscora {

LedgerRecord::LedgerRecord() {
    std::memset(static_cast<void*>(this), 0, sizeof *this);
    type = static_cast<std::int32_t>(RecordType::None);
    viewRow = -1;
}

std::int32_t cashSignOf(RecordType kind) {
    switch (kind) {
    case RecordType::Sell:
    case RecordType::Dividend:
    case RecordType::CashIn: return 1;
    case RecordType::Buy:
    case RecordType::RightsIssue:
    case RecordType::CashOut: return -1;
    case RecordType::BonusShares:
    case RecordType::None: return 0;
    }
    return 0;
}

std::string kindName(std::int32_t type) {
    switch (static_cast<RecordType>(type)) {
    case RecordType::Buy: return "买入股票";
    case RecordType::Sell: return "卖出股票";
    case RecordType::Dividend: return "股票分红";
    case RecordType::BonusShares: return "送股";
    case RecordType::RightsIssue: return "配股";
    case RecordType::CashIn: return "投入资金";
    case RecordType::CashOut: return "划出资金";
    case RecordType::None: break;
    }
    return {};
}

LedgerRecord makeRecord(RecordType kind, std::int32_t date) {
    LedgerRecord r;
    r.type = static_cast<std::int32_t>(kind);
    r.cashSign = cashSignOf(kind);
    r.date = date;
    return r;
}

double cashBalance(const Ledger& ledger) {
    double sum = 0;
    for (const auto& r : ledger) sum += r.cashSign * r.amount;
    return sum;
}

double cashBalanceBetween(const Ledger& ledger, std::int32_t from, std::int32_t to) {
    double sum = 0;
    for (const auto& r : ledger) {
        if (r.date >= from && (to == -1 || r.date <= to)) sum += r.cashSign * r.amount;
    }
    return sum;
}

LedgerRecord* findByViewRow(Ledger& ledger, std::int32_t row) {
    for (auto& r : ledger) {
        if (r.viewRow == row) return &r;
    }
    return nullptr;
}

bool isRecordOf(const LedgerRecord& record, std::int32_t market, const std::string& gbkCode) {
    return record.market == market &&
           std::string_view(record.stockCode,
                            ::strnlen(record.stockCode, sizeof record.stockCode)) == gbkCode;
}

}  // namespace fiscora

#include "engine/stock_record_removal.h"

namespace fiscora {
namespace {

bool isCash(const LedgerRecord& record) {
    return record.kind() == RecordType::CashIn || record.kind() == RecordType::CashOut;
}

}  // namespace

std::size_t removeStockRecords(Ledger& ledger, std::int32_t market, const std::string& gbkCode) {
    return std::erase_if(ledger, [&](const LedgerRecord& record) {
        return !isCash(record) && isRecordOf(record, market, gbkCode);
    });
}

}  // namespace fiscora

#include "engine/stock_quantity_changes.h"

#include <cstring>

namespace fiscora {

bool changesQuantity(const LedgerRecord& record) {
    switch (record.kind()) {
    case RecordType::Buy:
    case RecordType::Sell:
    case RecordType::BonusShares:
    case RecordType::RightsIssue: return true;
    default: return false;
    }
}

StockId stockOf(const LedgerRecord& record) {
    return {record.market,
            std::string(record.stockCode, ::strnlen(record.stockCode, sizeof record.stockCode))};
}

void StockQuantityChanges::add(const LedgerRecord& record) {
    if (!changesQuantity(record)) return;
    const PositionIndex::Found found = index_.find(record);
    if (found.added) {
        stocks_.push_back(stockOf(record));
        changes_.emplace_back();
    }
    changes_[found.index].emplace_back(record.date, quantityChange(record));
}

}  // namespace fiscora

#include "engine/stock_quantity_changes.h"

#include <cstring>
#include <string_view>

namespace fiscora {
namespace {

std::string_view codeOf(const LedgerRecord& r) {
    return {r.stockCode, ::strnlen(r.stockCode, sizeof r.stockCode)};
}

}  // namespace

bool changesQuantity(const LedgerRecord& record) {
    switch (record.kind()) {
    case RecordType::Buy:
    case RecordType::Sell:
    case RecordType::BonusShares:
    case RecordType::RightsIssue: return true;
    default: return false;
    }
}

void StockQuantityChanges::add(const LedgerRecord& record) {
    if (!changesQuantity(record)) return;
    const PositionIndex::Found found = index_.find(record);
    if (found.added) {
        stocks_.push_back({record.market, std::string(codeOf(record))});
        changes_.emplace_back();
    }
    changes_[found.index].emplace_back(record.date, quantityChange(record));
}

}  // namespace fiscora

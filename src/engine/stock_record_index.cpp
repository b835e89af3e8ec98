#include "engine/stock_record_index.h"

#include <cstring>

namespace fiscora {

std::size_t StockRecordIndex::add(const LedgerRecord& record, std::uint32_t index) {
    const PositionIndex::Found found = positions_.find(record);
    if (found.added) records_.emplace_back();
    records_[found.index].push_back(index);
    return found.index;
}

std::span<const std::uint32_t> StockRecordIndex::recordsOf(std::int32_t market,
                                                           std::string_view gbkCode) const {
    // A code longer than a record holds names no record.
    LedgerRecord named;
    if (gbkCode.size() > sizeof named.stockCode) return {};
    named.market = market;
    std::memcpy(named.stockCode, gbkCode.data(), gbkCode.size());
    const auto position = positions_.indexOf(PositionKey::of(named));
    if (!position) return {};
    return records_[*position];
}

}  // namespace fiscora

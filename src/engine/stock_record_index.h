#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "engine/position_index.h"
#include "records/ledger_record.h"

namespace fiscora {

// Where each stock's records are in a ledger: for every position (a market and a code, told
// apart as PositionKey tells them), the indices of its records in ledger order, so that a
// question about one stock reads only that stock's records.
class StockRecordIndex {
public:
    // Adds `record`, the ledger's record at `index`, after every record added before it,
    // and returns the number of its position (numbered in order of first appearance).
    // Call only for stock records.
    std::size_t add(const LedgerRecord& record, std::uint32_t index);
    // The indices of the records of (market, code as GBK bytes), in ledger order.
    std::span<const std::uint32_t> recordsOf(std::int32_t market, std::string_view gbkCode) const;

private:
    PositionIndex positions_;
    std::vector<std::vector<std::uint32_t>> records_;  // by position number
};

}  // namespace fiscora

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "records/ledger_record.h"

namespace fiscora {

// Removes every record of the stock (market, GBK code) from the ledger, whatever its kind:
// purchases, sales, dividends, bonus shares and rights issues. Cash deposits and
// withdrawals are never removed, even from a file that gives one a market and a code.
// The remaining records keep their order. Returns how many were removed.
std::size_t removeStockRecords(Ledger& ledger, std::int32_t market, const std::string& gbkCode);

}  // namespace fiscora

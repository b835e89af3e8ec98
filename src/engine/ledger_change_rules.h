#pragma once

#include <cstddef>
#include <cstdint>

#include "records/ledger_record.h"

namespace fiscora {

// What the ledger view says when a record may not go.
inline constexpr const char* kRecordNeededMessage =
    "此项记录是与后面的一些记录相关的，不能被单独删除";
// What the record editor says when an edit would take away shares that are no longer there.
inline constexpr const char* kEditLeavesNegativeHoldingMessage =
    "修改后该股票的持有量将小于零，不能修改";

// The shares a record adds to (or, for a sale, takes from) its stock's holding.
std::int64_t sharesMoved(const LedgerRecord& record);

// Whether the record at `index` may be deleted on its own:
// - the cash balance without it, truncated toward zero, must not be negative (so -0.5
//   passes and -1 does not);
// - a purchase, bonus-share or rights record must belong to a stock still held over the
//   whole ledger (a sale or a dividend may always go);
// - and the deletion must not take a stock's held quantity below zero, so a purchase
//   whose shares later sales sold cannot go even while some of the stock is still held.
bool mayDeleteRecord(const Ledger& ledger, std::size_t index);

// Whether the record at `index` may be replaced by `edited`: no stock the change touches
// may end up with fewer than zero shares held over the whole ledger. A stock that was
// already below zero (a hand-edited file) only stops an edit that lowers it further.
bool mayReplaceRecord(const Ledger& ledger, std::size_t index, const LedgerRecord& edited);

}  // namespace fiscora

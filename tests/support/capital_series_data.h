#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/capital_series.h"
#include "store/day_bar_file.h"

namespace fiscora::test {

// A YYYYMMDD date as a count of days, and back.
std::chrono::sys_days daysOf(std::int32_t date);
std::int32_t dateOf(std::chrono::sys_days days);

// Bars of every weekday from `from` to `to` (YYYYMMDD), with random prices; every
// `holidayEvery`-th weekday has no bar (0: none missing).
std::vector<DayBar> weekdayBars(std::int32_t from, std::int32_t to, unsigned seed,
                                int holidayEvery = 0);

// Writes the bar file of a stock below `hostDirectory`, followed by `extraBytes` zero bytes
// (a partial record).
void writeDayBarFile(const std::string& hostDirectory, const StockId& stock,
                     const std::vector<DayBar>& bars, std::size_t extraBytes = 0);

struct LedgerShape {
    std::vector<StockId> stocks;
    std::int32_t from = 0;  // dates are spread over from..to
    std::int32_t to = 0;
    int records = 0;
    unsigned seed = 0;
    bool dateOrder = false;  // records entered in date order, else in random order
};

// Deposits, withdrawals, purchases, sales (some closing a position, some of shares never
// bought), bonus shares, rights issues and dividends, with a few records dated on days the
// calendar does not have.
Ledger randomLedger(const LedgerShape& shape);

// The benches' market: `stocks` stocks alternating between Shenzhen and Shanghai, each with
// its weekday bars from `from` to `to` (every 40th weekday a holiday) below `hostDirectory`,
// and the shape of a ledger of `records` records over those days, entered in date order.
LedgerShape barsOfManyStocks(const std::string& hostDirectory, int stocks, int records,
                             std::int32_t from, std::int32_t to);

}  // namespace fiscora::test

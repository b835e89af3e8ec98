#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "records/ledger_record.h"

namespace fiscora {

// What a stock position, or the whole account, was worth on one calendar day: the held
// quantity times the day's bar prices (plus the cash balance for the whole account).
struct DayPoint {
    double high = 0;
    double low = 0;
    double close = 0;
    double open = 0;
    std::int32_t day = 0;  // YYYYMMDD

    bool operator==(const DayPoint&) const = default;
};

// One point per calendar day, oldest first, ending today.
using DaySeries = std::vector<DayPoint>;

// Where a series takes its prices from.
struct SeriesPrices {
    // The quote terminal's folder, holding mkthome/ with the daily bar files; ends with '/'.
    std::string hostDirectory;
    // Today's price of a stock (code, market) when today has no bar yet.
    std::function<double(std::string_view code, std::int32_t market)> latestPrice;
    std::int32_t today = 0;  // YYYYMMDD
    // A day without a bar takes the stock's last earlier bar instead of 0, so that a market
    // holiday is no loss (returns and drawdowns need it; the curve shows the gap).
    bool carryLastBar = false;
};

// A stock as a position is identified: its market and its code (GBK bytes, compared whole).
struct StockId {
    std::int32_t market = 0;
    std::string code;

    bool operator==(const StockId&) const = default;
};

// The series of one stock. It starts at the earliest record of the stock (its purchases,
// sales, bonus shares and rights issues), or at the earliest record of the ledger when
// `fromAnyRecord` is set; never after today. Records whose date is not a real calendar day
// never move the start. A weekend day takes Friday's bar; a day without a bar is 0 (or the last
// earlier bar, see `carryLastBar`), except today, which takes the latest price. The quantity is the
// stock's own holding in its own market over the records from the start to that day. Reads the
// stock's bar file once and replays its records once.
DaySeries StockSeries(const Ledger& ledger, const StockId& stock, bool fromAnyRecord,
                      const SeriesPrices& prices);

// Every stock the account has held at some time, in order of its first record: the
// positions closed since still count for the days they were held.
std::vector<StockId> tradedStocks(const Ledger& ledger);

// The whole account: the series of every traded stock from the ledger's earliest record,
// added up in the order of `tradedStocks`, plus on each day the cash balance of the records
// dated up to it. Empty when the account never held a stock.
DaySeries TotalSeries(const Ledger& ledger, const SeriesPrices& prices);

}  // namespace fiscora

#include "support/literal_capital_series.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include "engine/dates.h"
#include "engine/holdings.h"
#include "store/day_bar_file.h"
#include "support/capital_series_data.h"

namespace fiscora::test {
namespace {

using namespace std::chrono;

std::string codeOf(const LedgerRecord& r) {
    return {r.stockCode, ::strnlen(r.stockCode, sizeof r.stockCode)};
}

bool isQuantityRecord(const LedgerRecord& r) {
    const auto k = r.kind();
    return k == RecordType::Buy || k == RecordType::Sell || k == RecordType::BonusShares ||
           k == RecordType::RightsIssue;
}

}  // namespace

DaySeries literalStockSeries(const Ledger& ledger, const StockId& stock, bool fromAnyRecord,
                             const SeriesPrices& prices) {
    std::int32_t start = prices.today;
    for (const auto& r : ledger) {
        const bool ofStock =
            isQuantityRecord(r) && r.market == stock.market && codeOf(r) == stock.code;
        if ((fromAnyRecord || ofStock) && isCalendarDate(r.date) && r.date < start) start = r.date;
    }
    const double unit = std::pow(10.0, priceDecimals(stock.code));
    DaySeries series;
    for (sys_days d = daysOf(start); d <= daysOf(prices.today); d += days(1)) {
        DayPoint p;
        p.day = dateOf(d);
        sys_days barDay = d;
        if (weekday(d) == Saturday) barDay -= days(1);
        if (weekday(d) == Sunday) barDay -= days(2);
        DayBar bar{};
        if (readDayBarFrom(prices.hostDirectory, dateOf(barDay), stock.market, stock.code, bar)) {
            p.open = bar.prices[0] / unit;
            p.high = bar.prices[1] / unit;
            p.low = bar.prices[2] / unit;
            p.close = bar.prices[3] / unit;
        } else if (p.day == prices.today && prices.latestPrice) {
            p.open = p.high = p.low = p.close = prices.latestPrice(stock.code, stock.market);
        }
        const Holdings held = computeHoldings(ledger, start, p.day, stock.code);
        const Holding* own = nullptr;
        for (const auto& h : held)
            if (h.market == stock.market && h.stockCode == stock.code) own = &h;
        if (own == nullptr) {
            p.open = p.high = p.low = p.close = 0;
        } else {
            const auto q = static_cast<double>(own->heldQty());
            p.high = q * p.high;
            p.low = q * p.low;
            p.close = q * p.close;
            p.open = q * p.open;
        }
        series.push_back(p);
    }
    return series;
}

DaySeries literalTotalSeries(const Ledger& ledger, const SeriesPrices& prices) {
    std::vector<StockId> stocks;
    for (const auto& r : ledger) {
        const StockId id{r.market, codeOf(r)};
        if (isQuantityRecord(r) && std::find(stocks.begin(), stocks.end(), id) == stocks.end())
            stocks.push_back(id);
    }
    DaySeries total;
    for (const auto& stock : stocks) {
        const DaySeries one = literalStockSeries(ledger, stock, true, prices);
        if (total.empty()) {
            total = one;
            continue;
        }
        for (std::size_t i = 0; i < total.size(); ++i) {
            total[i].high += one[i].high;
            total[i].low += one[i].low;
            total[i].close += one[i].close;
            total[i].open += one[i].open;
        }
    }
    for (DayPoint& p : total) {
        const double cash = cashBalanceBetween(ledger, 0, p.day);
        p.high += cash;
        p.low += cash;
        p.close += cash;
        p.open += cash;
    }
    return total;
}

}  // namespace fiscora::test

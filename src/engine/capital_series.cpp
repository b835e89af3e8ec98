#include "engine/capital_series.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

#include "engine/cash_balance_by_day.h"
#include "engine/dates.h"
#include "engine/series_calendar.h"
#include "engine/stock_quantity_changes.h"
#include "store/day_bar_file.h"

namespace fiscora {
namespace {

bool isOf(const LedgerRecord& r, const StockId& stock) {
    return r.market == stock.market &&
           std::string_view(r.stockCode, ::strnlen(r.stockCode, sizeof r.stockCode)) == stock.code;
}

// The start moves to a record's date when that is a calendar day before it.
void moveStart(std::int32_t& start, std::int32_t date) {
    if (date < start && isCalendarDate(date)) start = date;
}

// The stock's bar file read once, looked up by date: the first record of each date, as a
// scan of the file from the start would find it.
class BarsByDate {
public:
    BarsByDate(const std::string& hostDirectory, const StockId& stock)
        : bars_(readDayBarFile(hostDirectory, stock.market, stock.code)) {
        std::stable_sort(bars_.begin(), bars_.end(),
                         [](const DayBar& a, const DayBar& b) { return a.date < b.date; });
        bars_.erase(std::unique(bars_.begin(), bars_.end(),
                                [](const DayBar& a, const DayBar& b) { return a.date == b.date; }),
                    bars_.end());
    }

    const DayBar* find(std::int32_t date) const {
        auto it = std::lower_bound(bars_.begin(), bars_.end(), date,
                                   [](const DayBar& b, std::int32_t d) { return b.date < d; });
        return it != bars_.end() && it->date == date ? &*it : nullptr;
    }

    // The last bar dated on or before `date`.
    const DayBar* findOnOrBefore(std::int32_t date) const {
        auto it = std::upper_bound(bars_.begin(), bars_.end(), date,
                                   [](std::int32_t d, const DayBar& b) { return d < b.date; });
        return it != bars_.begin() ? &*std::prev(it) : nullptr;
    }

private:
    std::vector<DayBar> bars_;
};

// The held quantity on each day of the calendar: the changes dated from the start to today,
// each from the first day that counts its date. One entry more, never read, takes a date
// that no day of the calendar reaches.
std::vector<std::int64_t> heldByDay(const QuantityChanges& changes,
                                    const SeriesCalendar& calendar) {
    std::vector<std::int64_t> held(calendar.size() + 1, 0);
    for (const auto& [date, change] : changes) {
        if (date >= calendar.start() && date <= calendar.today())
            held[calendar.firstDayCounting(date)] += change;
    }
    std::partial_sum(held.begin(), held.end(), held.begin());
    return held;
}

DayPoint pointOf(std::int32_t day, double quantity, const double (&prices)[4]) {
    // The bar holds open, high, low, close.
    return {quantity * prices[1], quantity * prices[2], quantity * prices[3], quantity * prices[0],
            day};
}

// Hands take(i, point) the stock's point on each day i of the calendar, `held` its quantity
// on each day: a series is filled or a total added up without a series per stock.
template <typename Take>
void forEachPoint(const StockId& stock, const SeriesCalendar& calendar,
                  const std::vector<std::int64_t>& held, const SeriesPrices& prices, Take take) {
    const BarsByDate bars(prices.hostDirectory, stock);
    const double unit = std::pow(10.0, priceDecimals(stock.code));
    for (std::size_t i = 0; i < calendar.size(); ++i) {
        const std::int32_t day = calendar.day(i);
        if (held[i] == 0) {
            take(i, DayPoint{0, 0, 0, 0, day});
            continue;
        }
        double dayPrices[4] = {0, 0, 0, 0};
        const std::int32_t barDay = calendar.barDay(i);
        const DayBar* bar = prices.carryLastBar ? bars.findOnOrBefore(barDay) : bars.find(barDay);
        const bool exact = bar != nullptr && bar->date == barDay;
        if (!exact && day == prices.today && prices.latestPrice) {
            std::fill(std::begin(dayPrices), std::end(dayPrices),
                      prices.latestPrice(stock.code, stock.market));
        } else if (bar != nullptr) {
            for (int k = 0; k < 4; ++k) dayPrices[k] = bar->prices[k] / unit;
        }
        take(i, pointOf(day, static_cast<double>(held[i]), dayPrices));
    }
}

}  // namespace

DaySeries StockSeries(const Ledger& ledger, const StockId& stock, bool fromAnyRecord,
                      const SeriesPrices& prices) {
    std::int32_t start = prices.today;
    QuantityChanges changes;
    for (const auto& r : ledger) {
        const bool own = changesQuantity(r) && isOf(r, stock);
        if (fromAnyRecord || own) moveStart(start, r.date);
        if (own) changes.emplace_back(r.date, quantityChange(r));
    }
    const SeriesCalendar calendar(start, prices.today);
    DaySeries series;
    series.reserve(calendar.size());
    forEachPoint(stock, calendar, heldByDay(changes, calendar), prices,
                 [&series](std::size_t, const DayPoint& p) { series.push_back(p); });
    return series;
}

std::vector<StockId> tradedStocks(const Ledger& ledger) {
    PositionIndex index;
    std::vector<StockId> stocks;
    for (const auto& r : ledger) {
        if (changesQuantity(r) && index.find(r).added) stocks.push_back(stockOf(r));
    }
    return stocks;
}

DaySeries TotalSeries(const Ledger& ledger, const SeriesPrices& prices) {
    // One pass over the ledger gathers what every stock's series and the cash need: the
    // earliest record's date, each stock's quantity changes and the cash moves.
    std::int32_t start = prices.today;
    StockQuantityChanges byStock;
    std::vector<CashMove> cash;
    cash.reserve(ledger.size());
    for (const auto& r : ledger) {
        moveStart(start, r.date);
        byStock.add(r);
        if (r.date >= 0 && r.date <= prices.today) cash.push_back({r.date, r.cashSign * r.amount});
    }
    if (byStock.stocks().empty()) return {};
    const SeriesCalendar calendar(start, prices.today);
    // Every stock's series from the ledger's earliest record, added up in the order of
    // tradedStocks.
    DaySeries total(calendar.size());
    for (std::size_t s = 0; s < byStock.stocks().size(); ++s) {
        forEachPoint(byStock.stocks()[s], calendar, heldByDay(byStock.changesOf(s), calendar),
                     prices, [&total, first = s == 0](std::size_t i, const DayPoint& p) {
                         if (first) {
                             total[i] = p;
                             return;
                         }
                         total[i].high += p.high;
                         total[i].low += p.low;
                         total[i].close += p.close;
                         total[i].open += p.open;
                     });
    }
    const std::vector<double> balances = cashBalanceByDay(cash, calendar);
    for (std::size_t i = 0; i < total.size(); ++i) {
        total[i].high += balances[i];
        total[i].low += balances[i];
        total[i].close += balances[i];
        total[i].open += balances[i];
    }
    return total;
}

}  // namespace fiscora

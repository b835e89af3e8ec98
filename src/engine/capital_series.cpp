#include "engine/capital_series.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <unordered_map>
#include <utility>

#include "engine/dates.h"
#include "engine/running_cash_balance.h"
#include "store/day_bar_file.h"

namespace fiscora {
namespace {

using std::chrono::sys_days;

sys_days toDays(std::int32_t date) {
    const DateParts p = splitDate(date);
    return sys_days(std::chrono::year_month_day(std::chrono::year(p.year),
                                                std::chrono::month(static_cast<unsigned>(p.month)),
                                                std::chrono::day(static_cast<unsigned>(p.day))));
}

std::int32_t toDate(sys_days d) {
    const std::chrono::year_month_day ymd(d);
    return dateFromParts(static_cast<int>(ymd.year()), static_cast<int>(unsigned(ymd.month())),
                         static_cast<int>(unsigned(ymd.day())));
}

// Saturday and Sunday take Friday's bar.
sys_days priceDay(sys_days d) {
    const std::chrono::weekday w(d);
    if (w == std::chrono::Saturday) return d - std::chrono::days(1);
    if (w == std::chrono::Sunday) return d - std::chrono::days(2);
    return d;
}

std::string_view codeOf(const LedgerRecord& r) {
    return {r.stockCode, ::strnlen(r.stockCode, sizeof r.stockCode)};
}

bool changesQuantity(const LedgerRecord& r) {
    switch (r.kind()) {
    case RecordType::Buy:
    case RecordType::Sell:
    case RecordType::BonusShares:
    case RecordType::RightsIssue: return true;
    default: return false;
    }
}

bool isOf(const LedgerRecord& r, const StockId& stock) {
    return r.market == stock.market && codeOf(r) == stock.code;
}

std::int32_t seriesStart(const Ledger& ledger, const StockId& stock, bool fromAnyRecord,
                         std::int32_t today) {
    std::int32_t start = today;
    for (const auto& r : ledger) {
        if (!fromAnyRecord && !(changesQuantity(r) && isOf(r, stock))) continue;
        if (r.date < start && isCalendarDate(r.date)) start = r.date;
    }
    return start;
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

// A record's change of its stock's held quantity, on its date.
using QuantityChanges = std::vector<std::pair<std::int32_t, std::int64_t>>;

void addChange(QuantityChanges& changes, const LedgerRecord& r) {
    const std::int64_t q = r.quantity;
    changes.emplace_back(r.date, r.kind() == RecordType::Sell ? -q : q);
}

// The stock's held quantity day after day: its quantity records from the start on, by date.
class QuantityByDay {
public:
    explicit QuantityByDay(QuantityChanges changes) : changes_(std::move(changes)) {
        std::sort(changes_.begin(), changes_.end());
    }

    // `day` must not be earlier than the day of the previous call.
    std::int64_t heldOn(std::int32_t day) {
        for (; next_ < changes_.size() && changes_[next_].first <= day; ++next_)
            held_ += changes_[next_].second;
        return held_;
    }

private:
    QuantityChanges changes_;
    std::size_t next_ = 0;
    std::int64_t held_ = 0;
};

DayPoint pointOf(std::int32_t day, double quantity, const double (&prices)[4]) {
    // The bar holds open, high, low, close.
    return {quantity * prices[1], quantity * prices[2], quantity * prices[3], quantity * prices[0],
            day};
}

// Every stock the account has held, in order of its first record, each with its quantity
// changes dated from `start` on: one pass over the ledger for all of them.
struct StocksWithChanges {
    std::vector<StockId> stocks;
    std::vector<QuantityChanges> changes;  // by the index of the stock
};

StocksWithChanges groupByStock(const Ledger& ledger, std::int32_t start) {
    StocksWithChanges grouped;
    std::unordered_map<std::string, std::size_t> indexOf;
    for (const auto& r : ledger) {
        if (!changesQuantity(r)) continue;
        // The code never holds a NUL, so code + NUL + market bytes names one position.
        std::string key(codeOf(r));
        key.push_back('\0');
        key.append(reinterpret_cast<const char*>(&r.market), sizeof r.market);
        const auto [it, added] = indexOf.try_emplace(std::move(key), grouped.stocks.size());
        if (added) {
            grouped.stocks.push_back({r.market, std::string(codeOf(r))});
            grouped.changes.emplace_back();
        }
        if (r.date >= start) addChange(grouped.changes[it->second], r);
    }
    return grouped;
}

// The series of one stock from `start` to today, its quantity day by day from `quantity`.
DaySeries seriesFrom(const StockId& stock, std::int32_t start, QuantityByDay quantity,
                     const SeriesPrices& prices) {
    const BarsByDate bars(prices.hostDirectory, stock);
    const double unit = std::pow(10.0, priceDecimals(stock.code));
    const sys_days last = toDays(prices.today);
    DaySeries series;
    series.reserve(static_cast<std::size_t>((last - toDays(start)).count() + 1));
    for (sys_days d = toDays(start); d <= last; d += std::chrono::days(1)) {
        const std::int32_t day = toDate(d);
        const std::int64_t held = quantity.heldOn(day);
        if (held == 0) {
            series.push_back({0, 0, 0, 0, day});
            continue;
        }
        double dayPrices[4] = {0, 0, 0, 0};
        const std::int32_t barDay = toDate(priceDay(d));
        const DayBar* bar = prices.carryLastBar ? bars.findOnOrBefore(barDay) : bars.find(barDay);
        const bool exact = bar != nullptr && bar->date == barDay;
        if (!exact && day == prices.today && prices.latestPrice) {
            std::fill(std::begin(dayPrices), std::end(dayPrices),
                      prices.latestPrice(stock.code, stock.market));
        } else if (bar != nullptr) {
            for (int k = 0; k < 4; ++k) dayPrices[k] = bar->prices[k] / unit;
        }
        series.push_back(pointOf(day, static_cast<double>(held), dayPrices));
    }
    return series;
}

}  // namespace

DaySeries StockSeries(const Ledger& ledger, const StockId& stock, bool fromAnyRecord,
                      const SeriesPrices& prices) {
    const std::int32_t start = seriesStart(ledger, stock, fromAnyRecord, prices.today);
    QuantityChanges changes;
    for (const auto& r : ledger) {
        if (changesQuantity(r) && isOf(r, stock) && r.date >= start) addChange(changes, r);
    }
    return seriesFrom(stock, start, QuantityByDay(std::move(changes)), prices);
}

std::vector<StockId> tradedStocks(const Ledger& ledger) {
    // No record is dated after the largest date: only the stocks are gathered.
    return groupByStock(ledger, std::numeric_limits<std::int32_t>::max()).stocks;
}

DaySeries TotalSeries(const Ledger& ledger, const SeriesPrices& prices) {
    // Every stock's series starts at the ledger's earliest record; the records are grouped
    // by stock in one pass instead of a pass over the ledger per stock.
    const std::int32_t start = seriesStart(ledger, {}, true, prices.today);
    StocksWithChanges grouped = groupByStock(ledger, start);
    if (grouped.stocks.empty()) return {};
    const auto seriesOf = [&](std::size_t s) {
        return seriesFrom(grouped.stocks[s], start, QuantityByDay(std::move(grouped.changes[s])),
                          prices);
    };
    DaySeries total = seriesOf(0);
    for (std::size_t s = 1; s < grouped.stocks.size(); ++s) {
        const DaySeries one = seriesOf(s);
        for (std::size_t i = 0; i < total.size(); ++i) {
            total[i].high += one[i].high;
            total[i].low += one[i].low;
            total[i].close += one[i].close;
            total[i].open += one[i].open;
        }
    }
    RunningCashBalance cash(ledger);
    for (DayPoint& p : total) {
        const double balance = cash.upTo(p.day);
        p.high += balance;
        p.low += balance;
        p.close += balance;
        p.open += balance;
    }
    return total;
}

}  // namespace fiscora

#include "engine/returns.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <future>
#include <thread>
#include <utility>

#include "engine/dates.h"
#include "engine/irr_solver.h"
#include "engine/position_index.h"
#include "engine/running_cash_balance.h"
#include "store/day_bar_file.h"

namespace fiscora {
namespace {

constexpr double kDaysPerYear = 365;
// From this many records, gathering the events on a thread of their own outweighs starting it.
constexpr std::size_t kEventsOnOwnThreadFrom = 20'000;

std::int32_t dayBefore(std::int32_t date) {
    return dateOfDayNumber(dayNumber(date) - 1);
}

std::int32_t daysFromTo(std::int32_t from, std::int32_t to) {
    return dayNumber(to) - dayNumber(from) + 1;
}

// isCalendarDate over records in ledger order, where runs of one date are the rule: the
// answer for the date asked last is kept.
class CalendarDateCheck {
public:
    bool operator()(std::int32_t date) {
        if (date != last_) {
            last_ = date;
            valid_ = isCalendarDate(date);
        }
        return valid_;
    }

private:
    std::int32_t last_ = 0;  // no calendar date
    bool valid_ = false;
};

bool belongsTo(const LedgerRecord& r, const std::optional<StockId>& stock) {
    if (!stock) return true;
    return r.market == stock->market &&
           std::string_view(r.stockCode, ::strnlen(r.stockCode, sizeof r.stockCode)) == stock->code;
}

ValueSeries closesOf(const DaySeries& series) {
    ValueSeries values;
    if (series.empty()) return values;
    values.firstDay = series.front().day;
    values.values.reserve(series.size());
    for (const DayPoint& p : series) values.values.push_back(p.close);
    return values;
}

// The cash balance day after day from the earliest record, for an account that never held
// a stock (whose TotalSeries is empty).
ValueSeries cashValues(const Ledger& ledger, std::int32_t today) {
    std::optional<std::int32_t> start;
    for (const LedgerRecord& r : ledger) {
        if (isCalendarDate(r.date) && r.date <= today && (!start || r.date < *start))
            start = r.date;
    }
    if (!start) return {};
    ValueSeries values{*start, {}};
    RunningCashBalance cash(ledger);
    for (std::int32_t d = dayNumber(*start); d <= dayNumber(today); ++d)
        values.values.push_back(cash.upTo(dateOfDayNumber(d)));
    return values;
}

// What a record of the account (or of the stock) brings in from outside, positive, or
// takes out, negative; 0 for every other record.
double externalFlowOf(const LedgerRecord& r, const std::optional<StockId>& stock) {
    switch (r.kind()) {
    case RecordType::CashIn: return stock ? 0 : r.amount;
    case RecordType::CashOut: return stock ? 0 : -r.amount;
    case RecordType::Buy:
    case RecordType::RightsIssue: return stock ? r.amount : 0;
    case RecordType::Sell:
    case RecordType::Dividend: return stock ? -r.amount : 0;
    default: return 0;
    }
}

// The indices of the records with a calendar date (of the stock, when one is asked), in
// date order and the ledger's order within a day. Dates spread over no more than a few
// numbers per record are placed by counting (one pass, stable); others are sorted as their
// date above their index.
std::vector<std::uint32_t> recordsInDateOrder(const Ledger& ledger,
                                              const std::optional<StockId>& stock) {
    std::vector<std::uint64_t> keys;
    CalendarDateCheck isDay;
    std::int32_t first = INT32_MAX;
    std::int32_t last = INT32_MIN;
    for (std::size_t i = 0; i < ledger.size(); ++i) {
        const std::int32_t date = ledger[i].date;
        if (!isDay(date) || !belongsTo(ledger[i], stock)) continue;
        keys.push_back(std::uint64_t{static_cast<std::uint32_t>(date)} << 32 | i);
        first = std::min(first, date);
        last = std::max(last, date);
    }
    std::vector<std::uint32_t> order(keys.size());
    const auto dateOf = [](std::uint64_t key) { return static_cast<std::int32_t>(key >> 32); };
    const auto indexOf = [](std::uint64_t key) { return static_cast<std::uint32_t>(key); };
    if (keys.empty()) return order;
    const auto span = static_cast<std::size_t>(last - first) + 1;
    if (span > 4 * keys.size() + 4096) {
        std::sort(keys.begin(), keys.end());
        std::transform(keys.begin(), keys.end(), order.begin(), indexOf);
        return order;
    }
    std::vector<std::uint32_t> placeOfDate(span + 1, 0);
    for (const std::uint64_t key : keys) ++placeOfDate[dateOf(key) - first + 1];
    for (std::size_t d = 1; d <= span; ++d) placeOfDate[d] += placeOfDate[d - 1];
    for (const std::uint64_t key : keys) order[placeOfDate[dateOf(key) - first]++] = indexOf(key);
    return order;
}

// One record's part in a period's activity.
struct DatedActivity {
    std::int32_t day;
    PeriodActivity activity;
};

// The external flows and each record's activity, in date order and the ledger's order within
// a day, from one pass over the records. Realised profit by average cost: a sale realises
// its net amount less the cost (fees included) of the shares it takes, at the position's
// average cost of the moment.
struct LedgerEvents {
    std::vector<ExternalFlow> flows;
    std::vector<DatedActivity> activities;
};
LedgerEvents eventsOf(const Ledger& ledger, const std::optional<StockId>& stock) {
    // Each record as its date (a calendar date, so positive) above its index: one sort of
    // plain numbers puts them in date order, the ledger's order within a day.
    const std::vector<std::uint32_t> order = recordsInDateOrder(ledger, stock);
    struct Position {
        std::int64_t quantity = 0;
        double cost = 0;
    };
    PositionIndex positionIndex;
    std::vector<Position> positions;
    LedgerEvents events;
    events.activities.reserve(order.size());
    for (const std::uint32_t index : order) {
        const LedgerRecord& r = ledger[index];
        if (const double flow = externalFlowOf(r, stock); flow != 0)
            events.flows.push_back({r.date, flow});
        PeriodActivity a;
        a.fees = r.fee;
        if (r.isStock()) {
            const PositionIndex::Found found = positionIndex.find(r);
            if (found.added) positions.emplace_back();
            Position& p = positions[found.index];
            switch (r.kind()) {
            case RecordType::Buy:
            case RecordType::RightsIssue:
                p.quantity += r.quantity;
                p.cost += r.amount;
                break;
            case RecordType::BonusShares: p.quantity += r.quantity; break;
            case RecordType::Sell: {
                const std::int64_t sold = std::clamp<std::int64_t>(r.quantity, 0, p.quantity);
                const double soldCost = p.quantity > 0 ? p.cost * static_cast<double>(sold) /
                                                             static_cast<double>(p.quantity)
                                                       : 0;
                a.realisedProfit = r.amount - soldCost;
                p.quantity -= sold;
                p.cost -= soldCost;
                break;
            }
            case RecordType::Dividend: a.dividends = r.amount; break;
            default: break;
            }
        }
        events.activities.push_back({r.date, a});
    }
    return events;
}

PeriodActivity activityBetween(const std::vector<DatedActivity>& activities, std::int32_t from,
                               std::int32_t to) {
    PeriodActivity sum;
    auto it = std::lower_bound(activities.begin(), activities.end(), from,
                               [](const DatedActivity& a, std::int32_t d) { return a.day < d; });
    for (; it != activities.end() && it->day <= to; ++it) {
        sum.realisedProfit += it->activity.realisedProfit;
        sum.dividends += it->activity.dividends;
        sum.fees += it->activity.fees;
    }
    return sum;
}

// The benchmark's bars by date, and its change from the last close before a period to
// the last close in it (the first bar's open when it has none before).
class Benchmark {
public:
    Benchmark(const std::string& hostDirectory, const StockId& stock)
        : bars_(readDayBarFile(hostDirectory, stock.market, stock.code)) {
        std::stable_sort(bars_.begin(), bars_.end(),
                         [](const DayBar& a, const DayBar& b) { return a.date < b.date; });
    }

    std::optional<double> change(std::int32_t from, std::int32_t to) const {
        auto end = std::upper_bound(bars_.begin(), bars_.end(), to,
                                    [](std::int32_t d, const DayBar& b) { return d < b.date; });
        const double start = startOf(from);
        if (end == bars_.begin() || !(start > 0)) return std::nullopt;
        return std::prev(end)->prices[3] / start - 1;
    }

    // What the change from `from` starts at: the last close before it, else the open of the
    // first bar from it on; 0 without such a bar.
    double startOf(std::int32_t from) const {
        auto first = std::lower_bound(bars_.begin(), bars_.end(), from,
                                      [](const DayBar& b, std::int32_t d) { return b.date < d; });
        if (first != bars_.begin()) return std::prev(first)->prices[3];
        return first != bars_.end() ? first->prices[0] : 0;
    }

    // The last close at or before each day from `from` to `to`; 0 before the first bar.
    std::vector<double> closes(std::int32_t from, std::int32_t to) const {
        std::vector<double> out;
        auto next = bars_.begin();
        double close = 0;
        for (std::int32_t n = dayNumber(from); n <= dayNumber(to); ++n) {
            const std::int32_t day = dateOfDayNumber(n);
            for (; next != bars_.end() && next->date <= day; ++next) close = next->prices[3];
            out.push_back(close);
        }
        return out;
    }

private:
    std::vector<DayBar> bars_;
};

// The time-weighted unit value and its deepest fall, fed day after day (as day numbers).
class DrawdownTracker {
public:
    void add(std::int32_t day, double unit) {
        if (!started_ || unit >= peak_) {
            started_ = true;
            peak_ = unit;
            peakDay_ = day;
        }
        if (depth_ > 0 && recoveryDay_ == kNone && day > troughDay_ && unit >= deepestPeak_)
            recoveryDay_ = day;
        const double depth = peak_ > 0 ? 1 - unit / peak_ : 0;
        if (depth > depth_) {
            depth_ = depth;
            deepestPeakDay_ = peakDay_;
            troughDay_ = day;
            recoveryDay_ = kNone;
            deepestPeak_ = peak_;
        }
    }
    Drawdown result() const {
        if (!(depth_ > 0)) return {};
        Drawdown d{depth_, dateOfDayNumber(deepestPeakDay_), dateOfDayNumber(troughDay_),
                   std::nullopt};
        if (recoveryDay_ != kNone) d.recoveryDay = dateOfDayNumber(recoveryDay_);
        return d;
    }

private:
    static constexpr std::int32_t kNone = INT32_MIN;
    bool started_ = false;
    double peak_ = 0;
    std::int32_t peakDay_ = 0;
    double deepestPeak_ = 0;
    double depth_ = 0;
    std::int32_t deepestPeakDay_ = 0;
    std::int32_t troughDay_ = 0;
    std::int32_t recoveryDay_ = kNone;
};

// The values of a series by day number: the value of the last day for the days after it,
// 0 before its first.
class ValuesByDayNumber {
public:
    explicit ValuesByDayNumber(const ValueSeries& series)
        : values_(series.values), first_(values_.empty() ? 0 : dayNumber(series.firstDay)) {}
    double operator[](std::int32_t number) const {
        if (values_.empty() || number < first_) return 0;
        return values_[std::min(static_cast<std::size_t>(number - first_), values_.size() - 1)];
    }

private:
    const std::vector<double>& values_;
    std::int32_t first_;
};

std::vector<std::pair<std::int32_t, std::int32_t>> yearsOf(std::int32_t from, std::int32_t to) {
    std::vector<std::pair<std::int32_t, std::int32_t>> years;
    for (int y = splitDate(from).year; y <= splitDate(to).year; ++y)
        years.emplace_back(std::max(from, dateFromParts(y, 1, 1)),
                           std::min(to, dateFromParts(y, 12, 31)));
    return years;
}

// The day after the same day `years` years before `to` (29 February falls back to the 28th).
std::int32_t trailingStart(std::int32_t to, int years) {
    DateParts p = splitDate(to);
    p.year -= years;
    if (!isCalendarDate(dateFromParts(p.year, p.month, p.day))) p.day = 28;
    return dateOfDayNumber(dayNumber(dateFromParts(p.year, p.month, p.day)) + 1);
}

}  // namespace

double ValueSeries::at(std::int32_t day) const {
    if (values.empty() || day < firstDay) return 0;
    const auto index = static_cast<std::size_t>(dayNumber(day) - dayNumber(firstDay));
    return values[std::min(index, values.size() - 1)];
}

std::int32_t ValueSeries::lastDay() const {
    return dateOfDayNumber(dayNumber(firstDay) + static_cast<std::int32_t>(values.size()) - 1);
}

std::optional<double> annualised(double total, std::int32_t days) {
    if (!(1 + total > 0)) return std::nullopt;
    return std::pow(1 + total, kDaysPerYear / days) - 1;
}

PeriodFigures measurePeriod(const ValueSeries& values, const std::vector<ExternalFlow>& flows,
                            std::int32_t from, std::int32_t to) {
    PeriodFigures f;
    f.from = from;
    f.to = to;
    f.startValue = values.at(dayBefore(from));
    f.endValue = values.at(to);
    const std::int32_t days = daysFromTo(from, to);
    const std::int32_t endNumber = dayNumber(to) + 1;
    std::vector<TimedAmount> amounts{{days / kDaysPerYear, f.startValue}};

    auto next = std::lower_bound(flows.begin(), flows.end(), from,
                                 [](const ExternalFlow& x, std::int32_t d) { return x.day < d; });
    // The time-weighted return chains the growth between flows: each sub-period starts
    // with the value before its flows plus the flows, and ends at the close before the
    // next flows. A sub-period that starts with nothing is left out.
    double growth = 1;
    double base = 0;
    bool invested = false;
    double previousClose = f.startValue;
    DrawdownTracker drawdown;
    const ValuesByDayNumber closeOf(values);
    const std::int32_t firstNumber = dayNumber(from);
    std::int32_t nextFlowNumber = next != flows.end() ? dayNumber(next->day) : endNumber;
    for (std::int32_t n = firstNumber; n < endNumber; ++n) {
        double flow = 0;
        if (n == nextFlowNumber) {
            const std::int32_t day = next->day;
            for (; next != flows.end() && next->day == day; ++next) flow += next->amount;
            nextFlowNumber = next != flows.end() ? dayNumber(next->day) : endNumber;
        }
        if (n == firstNumber || flow != 0) {
            if (n != firstNumber && base > 0) {
                growth *= previousClose / base;
                invested = true;
            }
            base = previousClose + flow;
            if (flow > 0) f.cashIn += flow;
            if (flow < 0) f.cashOut -= flow;
            if (flow != 0) amounts.push_back({(endNumber - n) / kDaysPerYear, flow});
        }
        const double close = closeOf[n];
        if (base > 0) drawdown.add(n, growth * close / base);
        previousClose = close;
    }
    if (base > 0) {
        growth *= f.endValue / base;
        invested = true;
    }
    if (invested) {
        f.twrTotal = growth - 1;
        f.twr = annualised(*f.twrTotal, days);
    }
    amounts.push_back({0, -f.endValue});
    f.irr = internalRateOfReturn(amounts);
    f.drawdown = drawdown.result();
    return f;
}

namespace {

// The benchmark's closes over the days of `values`, scaled to start where the value
// starts: at the value before the period with the benchmark's start, or, when either has
// none, at the first day both have one.
std::vector<double> scaledBenchmark(const Benchmark& benchmark, const std::vector<double>& values,
                                    double startValue, std::int32_t from, std::int32_t to) {
    std::vector<double> closes = benchmark.closes(from, to);
    std::size_t anchor = 0;
    double value = startValue;
    double base = benchmark.startOf(from);
    if (!(startValue > 0) || !(base > 0)) {
        while (anchor < values.size() && !(values[anchor] > 0 && closes[anchor] > 0)) ++anchor;
        if (anchor == values.size()) return {};
        value = values[anchor];
        base = closes[anchor];
    }
    for (std::size_t i = 0; i < closes.size(); ++i)
        closes[i] = i < anchor ? 0 : closes[i] * value / base;
    return closes;
}

}  // namespace

std::vector<ReturnsRow> measureReturns(const Ledger& ledger, const SeriesPrices& prices,
                                       const ReturnsRequest& request) {
    return analyseReturns(ledger, prices, request).rows;
}

ReturnsAnalysis analyseReturns(const Ledger& ledger, const SeriesPrices& prices,
                               const ReturnsRequest& request) {
    // The records' events do not depend on the value series: on a large ledger they are
    // gathered on another core while the series is built.
    std::future<LedgerEvents> pendingEvents;
    if (ledger.size() >= kEventsOnOwnThreadFrom && std::thread::hardware_concurrency() > 1)
        pendingEvents =
            std::async(std::launch::async, eventsOf, std::cref(ledger), std::cref(request.stock));
    SeriesPrices carried = prices;
    carried.carryLastBar = true;
    ValueSeries values;
    if (request.stock) {
        const std::vector<StockId> traded = tradedStocks(ledger);
        if (std::find(traded.begin(), traded.end(), *request.stock) == traded.end()) return {};
        values = closesOf(StockSeries(ledger, *request.stock, false, carried));
    } else {
        values = closesOf(TotalSeries(ledger, carried));
        if (values.values.empty()) values = cashValues(ledger, prices.today);
    }
    const std::int32_t from = request.from != 0 ? request.from : values.firstDay;
    const std::int32_t to = request.to != 0 ? request.to : prices.today;
    if (values.values.empty() || from > to || values.firstDay > to) return {};
    ReturnsAnalysis analysis;

    const LedgerEvents events =
        pendingEvents.valid() ? pendingEvents.get() : eventsOf(ledger, request.stock);
    const std::vector<ExternalFlow>& flows = events.flows;
    const std::vector<DatedActivity>& activities = events.activities;
    std::optional<Benchmark> benchmark;
    if (request.benchmark) benchmark.emplace(prices.hostDirectory, *request.benchmark);

    std::vector<ReturnsRow>& rows = analysis.rows;
    const auto add = [&](std::string period, std::int32_t first, std::int32_t last) {
        PeriodFigures f = measurePeriod(values, flows, first, last);
        f.activity = activityBetween(activities, first, last);
        if (benchmark) {
            f.benchmarkTotal = benchmark->change(first, last);
            if (f.benchmarkTotal)
                f.benchmark = annualised(*f.benchmarkTotal, daysFromTo(first, last));
            if (f.benchmark && f.twr) f.excess = *f.twr - *f.benchmark;
        }
        rows.push_back({std::move(period), f});
    };
    add("all", from, to);
    if (request.byYear) {
        for (const auto& [first, last] : yearsOf(from, to))
            add(std::to_string(splitDate(first).year), first, last);
    }
    if (request.trailing) {
        for (const int years : {1, 3, 5}) {
            const std::int32_t first = trailingStart(to, years);
            if (first >= from) add(std::to_string(years) + "y", first, to);
        }
    }
    const ValuesByDayNumber valueOf(values);
    for (std::int32_t n = dayNumber(from); n <= dayNumber(to); ++n)
        analysis.values.push_back(valueOf[n]);
    if (benchmark) {
        analysis.benchmark =
            scaledBenchmark(*benchmark, analysis.values, rows.front().figures.startValue, from, to);
    }
    return analysis;
}

}  // namespace fiscora

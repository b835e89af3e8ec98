#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/capital_series.h"
#include "records/ledger_record.h"

namespace fiscora {

// What the account (or one position) was worth at each day's close, day after day.
struct ValueSeries {
    std::int32_t firstDay = 0;  // YYYYMMDD of values[0]
    std::vector<double> values;

    // The value at the close of `day`: 0 before the first day, the last value after it.
    double at(std::int32_t day) const;
    std::int32_t lastDay() const;
};

// Money that crossed the boundary of what is measured, at the start of its day: positive
// into it (投入资金, or a purchase for a position), negative out of it.
struct ExternalFlow {
    std::int32_t day = 0;  // YYYYMMDD
    double amount = 0;
};

// The deepest fall of the time-weighted value (the value of one unit, so that money
// coming in or going out is no gain or loss) from an earlier peak.
struct Drawdown {
    double depth = 0;  // fraction of the peak, 0.25 for a fall of 25%; 0 without a fall
    std::int32_t peakDay = 0;
    std::int32_t troughDay = 0;
    std::optional<std::int32_t> recoveryDay;  // the first day back at the peak, if any
    bool operator==(const Drawdown&) const = default;
};

// What happened in the period besides the value: realised profit (sales less the average
// cost of the shares sold, fees included), dividends received and fees paid.
struct PeriodActivity {
    double realisedProfit = 0;
    double dividends = 0;
    double fees = 0;
    bool operator==(const PeriodActivity&) const = default;
};

// The figures of a period from `from` to `to` (both days included). Rates are fractions;
// none means there was nothing to measure (no money invested, or no rate solves the flows).
struct PeriodFigures {
    std::int32_t from = 0;
    std::int32_t to = 0;
    double startValue = 0;           // at the close of the day before `from`
    double endValue = 0;             // at the close of `to`
    double cashIn = 0;               // external flows into it, positive
    double cashOut = 0;              // external flows out of it, positive
    std::optional<double> irr;       // money-weighted, a year's rate
    std::optional<double> twrTotal;  // time-weighted over the whole period
    std::optional<double> twr;       // the same as a year's rate
    Drawdown drawdown;
    PeriodActivity activity;
    std::optional<double> benchmarkTotal;  // the benchmark's close-to-close change
    std::optional<double> benchmark;       // the same as a year's rate
    std::optional<double> excess;          // twr - benchmark

    double netFlow() const { return cashIn - cashOut; }
    bool operator==(const PeriodFigures&) const = default;
};

// The money-weighted and time-weighted returns and the drawdown of `values` over the
// period, with `flows` sorted by day (those outside the period are ignored). A year is 365
// days, and a period of n days is n / 365 years.
PeriodFigures measurePeriod(const ValueSeries& values, const std::vector<ExternalFlow>& flows,
                            std::int32_t from, std::int32_t to);

// A year's rate from the rate over `days` days; none for a loss of everything or more (a
// value that went below zero), which no yearly rate compounds to.
std::optional<double> annualised(double total, std::int32_t days);

// What is measured and over which periods.
struct ReturnsRequest {
    std::int32_t from = 0;             // 0: the first day of the series
    std::int32_t to = 0;               // 0: today
    std::optional<StockId> stock;      // one position instead of the whole account
    std::optional<StockId> benchmark;  // a code with bar files to compare with
    bool byYear = false;               // a period per calendar year as well
    bool trailing = false;             // the last 1, 3 and 5 years up to `to` as well
};

struct ReturnsRow {
    std::string period;  // "all", the year ("2023"), or "1y", "3y", "5y"
    PeriodFigures figures;
    bool operator==(const ReturnsRow&) const = default;
};

// The whole account: its value is TotalSeries (a holiday takes the last bar), its flows
// the 投入资金 and 划出资金 records. A stock: its StockSeries from its first record, its
// flows purchases and rights issues in, sales and dividends out. The first row is the
// period asked for; then the years, then the trailing periods, each within it. None when
// the account (or the stock) has no record dated on a calendar day up to `to`.
std::vector<ReturnsRow> measureReturns(const Ledger& ledger, const SeriesPrices& prices,
                                       const ReturnsRequest& request);

// The rows with what a chart of the period draws: the value at the close of each day of the
// period asked for (the first row's), and the benchmark's closes on the same days scaled to
// start where the value starts (at the value before the period, or, when either has none
// before it, at the first day both have one), 0 on the days before. The benchmark is empty
// without one, or when no day has both.
struct ReturnsAnalysis {
    std::vector<ReturnsRow> rows;
    std::vector<double> values;
    std::vector<double> benchmark;
};

ReturnsAnalysis analyseReturns(const Ledger& ledger, const SeriesPrices& prices,
                               const ReturnsRequest& request);

}  // namespace fiscora

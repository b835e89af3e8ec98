// Returns over 10 years of daily bars of 20 stocks and a 100,000-record ledger (the whole
// period, each year and the trailing years, with a benchmark), against one whole-account
// capital series on the same data: the returns must stay within twice the series.
// Run: build/bench/returns_bench
#include <benchmark/benchmark.h>

#include <chrono>

#include "engine/capital_series.h"
#include "engine/returns.h"
#include "support/capital_series_data.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

constexpr int kStocks = 20;
constexpr int kRecords = 100'000;
constexpr std::int32_t kFirstBar = 20150105;
constexpr std::int32_t kToday = 20250105;

struct TenYears {
    TenYears() {
        test::LedgerShape shape =
            test::barsOfManyStocks(dir.path(), kStocks, kRecords, kFirstBar, kToday);
        ledger = test::randomLedger(shape);
        prices = {dir.path(), [](std::string_view, std::int32_t) { return 10.0; }, kToday};
        request.byYear = true;
        request.trailing = true;
        request.benchmark = shape.stocks.front();
    }

    test::TempDir dir;
    Ledger ledger;
    SeriesPrices prices;
    ReturnsRequest request;
};

TenYears& data() {
    static TenYears d;
    return d;
}

void BM_TotalSeries(benchmark::State& state) {
    TenYears& d = data();
    for (auto _ : state) benchmark::DoNotOptimize(TotalSeries(d.ledger, d.prices));
}
BENCHMARK(BM_TotalSeries)->Unit(benchmark::kMillisecond);

void BM_Returns(benchmark::State& state) {
    TenYears& d = data();
    for (auto _ : state) benchmark::DoNotOptimize(measureReturns(d.ledger, d.prices, d.request));
    state.counters["rows"] =
        static_cast<double>(measureReturns(d.ledger, d.prices, d.request).size());
}
BENCHMARK(BM_Returns)->Unit(benchmark::kMillisecond);

// Both timed in turn in each iteration; `ratio` is returns / series (at most 2).
void BM_ReturnsOverSeriesRatio(benchmark::State& state) {
    TenYears& d = data();
    using Clock = std::chrono::steady_clock;
    Clock::duration series{}, returns{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(TotalSeries(d.ledger, d.prices));
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(measureReturns(d.ledger, d.prices, d.request));
        const auto t2 = Clock::now();
        series += t1 - t0;
        returns += t2 - t1;
    }
    state.counters["ratio"] = std::chrono::duration<double>(returns).count() /
                              std::chrono::duration<double>(series).count();
}
BENCHMARK(BM_ReturnsOverSeriesRatio)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fiscora

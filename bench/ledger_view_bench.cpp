// The ledger view over a large ledger: opening it (holdings over the whole ledger, the
// refill without filters, the balance and the rows formatted to fit the columns) and a
// refill with each filter, against loading and deciphering the same ledger. Each should
// take at most a quarter of the load. The deletion check is measured alongside. Run:
// build/bench/ledger_view_bench
#include <benchmark/benchmark.h>

#include "engine/holdings.h"
#include "engine/ledger_change_rules.h"
#include "engine/ledger_filter.h"
#include "large_ledger.h"
#include "output/ledger_rows.h"

namespace fiscora::bench {
namespace {

// The rows the view formats when its rows change: the columns are fitted to a sample of 60
// rows (which covers a screenful) and to the rows whose figures may be widest.
constexpr std::size_t kSampledRows = 60;

void formatScreen(const Ledger& ledger, const ViewRows& rows) {
    LedgerRowFormatter formatter;
    for (std::size_t row = 0; row < rows.size() && row < kSampledRows; ++row) {
        auto cells = formatter.cells(ledger[rows[row]]);
        benchmark::DoNotOptimize(cells.data());
    }
    const auto widest = widestLedgerRows(ledger, rows);
    for (std::size_t column = 0; column < widest.size(); ++column) {
        for (const std::size_t row : widest[column]) {
            auto text = formatter.cell(ledger[rows[row]], static_cast<int>(column));
            benchmark::DoNotOptimize(text.data());
        }
    }
}

Ledger loadedLedger() {
    LargeLedger& f = largeLedger();
    Ledger ledger;
    loadLedger(f.readOnlyStore(), f.owner, ledger);
    return ledger;
}

void BM_LoadLedger(benchmark::State& state) {
    LargeLedger& f = largeLedger();
    const LedgerStore store = f.readOnlyStore();
    Ledger ledger;
    for (auto _ : state) {
        loadLedger(store, f.owner, ledger);
        benchmark::DoNotOptimize(ledger.data());
    }
}
BENCHMARK(BM_LoadLedger)->Unit(benchmark::kMillisecond);

void BM_OpenLedgerView(benchmark::State& state) {
    Ledger ledger = loadedLedger();
    for (auto _ : state) {
        Holdings holdings = computeHoldings(ledger, 0, -1);
        const ViewRows rows = refillViewRows(ledger, {});
        double balance = cashBalance(ledger);
        formatScreen(ledger, rows);
        benchmark::DoNotOptimize(holdings.data());
        benchmark::DoNotOptimize(balance);
    }
}
BENCHMARK(BM_OpenLedgerView)->Unit(benchmark::kMillisecond);

void refillWith(benchmark::State& state, const LedgerFilter& filter) {
    Ledger ledger = loadedLedger();
    std::size_t shown = 0;
    for (auto _ : state) {
        const ViewRows rows = refillViewRows(ledger, filter);
        formatScreen(ledger, rows);
        shown = rows.size();
    }
    state.counters["rows"] = static_cast<double>(shown);
}

void BM_RefillByTime(benchmark::State& state) {
    refillWith(state, LedgerFilter::oneDay(20200110));
}
BENCHMARK(BM_RefillByTime)->Unit(benchmark::kMillisecond);

void BM_RefillByKind(benchmark::State& state) {
    LedgerFilter filter;
    filter.byKind = true;
    filter.kind = RecordType::Sell;
    refillWith(state, filter);
}
BENCHMARK(BM_RefillByKind)->Unit(benchmark::kMillisecond);

void BM_RefillByCode(benchmark::State& state) {
    LedgerFilter filter;
    filter.byCode = true;
    filter.gbkCode = "600017";
    refillWith(state, filter);
}
BENCHMARK(BM_RefillByCode)->Unit(benchmark::kMillisecond);

// 删除 checks the whole ledger before it asks nothing more: a purchase in the middle.
void BM_DeletionCheck(benchmark::State& state) {
    const Ledger ledger = loadedLedger();
    for (auto _ : state) benchmark::DoNotOptimize(mayDeleteRecord(ledger, ledger.size() / 2));
}
BENCHMARK(BM_DeletionCheck)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fiscora::bench

// Loading a large ledger: read + decrypt + header check + computeHoldings, against
// deciphering the same bytes alone. Run: build/bench/ledger_load_bench
#include <benchmark/benchmark.h>

#include "engine/holdings.h"
#include "large_ledger.h"

namespace fiscora::bench {
namespace {

void BM_DecryptOnly(benchmark::State& state) {
    LargeLedger& f = largeLedger();
    const Bytes file = readWholeFile(f.dir + "bench.da0", OpenMode::ReadOnly).bytes;
    Bytes work(file.size());
    for (auto _ : state) {
        work = file;
        f.scrambler.decrypt(work.data(), work.size());
        benchmark::DoNotOptimize(work.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_DecryptOnly)->Unit(benchmark::kMillisecond);

void BM_LoadLedgerAndComputeHoldings(benchmark::State& state) {
    LargeLedger& f = largeLedger();
    const LedgerStore store = f.readOnlyStore();
    Ledger ledger;
    std::size_t bytes = 0;
    for (auto _ : state) {
        loadLedger(store, f.owner, ledger);
        Holdings h = computeHoldings(ledger, 0, -1);
        benchmark::DoNotOptimize(h.data());
        bytes += (ledger.size() + 1) * sizeof(LedgerRecord);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_LoadLedgerAndComputeHoldings)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fiscora::bench

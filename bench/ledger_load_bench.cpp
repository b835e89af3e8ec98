// Loading and booking on a large ledger, each against deciphering the file's bytes in the
// same run. Every iteration starts cold: fresh buffers and a fresh ledger, as a process
// that logs in has. The peak/file counter is the heap's highest level during one
// iteration over the file's size. Run: build/bench/ledger_load_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "engine/holdings.h"
#include "heap_meter.h"
#include "large_ledger.h"

namespace fiscora::bench {
namespace {

double fileBytes(const LargeLedger& f) {
    return static_cast<double>(std::filesystem::file_size(f.dir + "bench.da0"));
}

void report(benchmark::State& state, const LargeLedger& f, const PeakMeter& meter) {
    const double bytes = fileBytes(f);
    state.counters["peak/file"] = static_cast<double>(meter.highest()) / bytes;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes));
}

// Runs `body` once per round on the shared fixture, metering the peak memory it takes.
template <typename Body> void measure(benchmark::State& state, Body body) {
    LargeLedger& f = largeLedger();
    PeakMeter meter;
    for (auto _ : state) {
        meter.start();
        body(f);
        meter.stop();
    }
    report(state, f, meter);
}

// The baseline: the file read into a new buffer and deciphered.
void BM_DecipherFile(benchmark::State& state) {
    measure(state, [](LargeLedger& f) {
        Bytes file = readWholeFile(f.dir + "bench.da0", OpenMode::ReadOnly).bytes;
        f.scrambler.decrypt(file.data(), file.size());
        benchmark::DoNotOptimize(file.data());
    });
}
BENCHMARK(BM_DecipherFile)->Unit(benchmark::kMillisecond);

// Logging in: the ledger loaded into a new vector.
void BM_LoadLedger(benchmark::State& state) {
    measure(state, [](LargeLedger& f) {
        Ledger ledger;
        loadLedger(f.readOnlyStore(), f.owner, ledger);
        benchmark::DoNotOptimize(ledger.data());
    });
}
BENCHMARK(BM_LoadLedger)->Unit(benchmark::kMillisecond);

void BM_LoadLedgerAndComputeHoldings(benchmark::State& state) {
    measure(state, [](LargeLedger& f) {
        Ledger ledger;
        loadLedger(f.readOnlyStore(), f.owner, ledger);
        Holdings h = computeHoldings(ledger, 0, -1);
        benchmark::DoNotOptimize(h.data());
    });
}
BENCHMARK(BM_LoadLedgerAndComputeHoldings)->Unit(benchmark::kMillisecond);

// A booking as the command line makes it: load, append one record, rewrite the file.
void BM_LoadAndBookOneRecord(benchmark::State& state) {
    LargeLedger& f = largeLedger();
    Ledger original;
    loadLedger(f.readOnlyStore(), f.owner, original);
    PeakMeter meter;
    for (auto _ : state) {
        meter.start();
        Ledger ledger;
        LedgerStamp stamp;
        loadLedger(f.readOnlyStore(), f.owner, ledger, &stamp);
        ledger.push_back(ledger.back());
        saveLoadedLedger(f.writableStore(), f.owner, ledger, stamp);
        meter.stop();
        state.PauseTiming();
        saveLedger(f.writableStore(), f.owner, original);  // the next round books on the same file
        state.ResumeTiming();
    }
    report(state, f, meter);
}
BENCHMARK(BM_LoadAndBookOneRecord)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fiscora::bench

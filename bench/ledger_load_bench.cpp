// Loading and booking on a large ledger (100,000 and 1,000,000 records), each against
// deciphering the file's bytes on one core in the same run. Every iteration starts cold:
// fresh buffers and a fresh ledger, as a process that logs in has. The peak/file counter is
// the heap's highest level during one iteration over the file's size.
// Run: build/bench/ledger_load_bench --benchmark_repetitions=5
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <stdlib.h>

#include "engine/holdings.h"
#include "heap_meter.h"
#include "large_ledger.h"
#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/parallel_decipher.h"
#include "ui/main/main_window_model.h"

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
    LargeLedger& f = largeLedger(static_cast<int>(state.range(0)));
    PeakMeter meter;
    for (auto _ : state) {
        meter.start();
        body(f);
        meter.stop();
    }
    report(state, f, meter);
}

void ledgerSizes(benchmark::internal::Benchmark* b) {
    // Wall time: deciphering runs on threads besides the one measured.
    b->Arg(kLargeLedgerRecords)
        ->Arg(kHugeLedgerRecords)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

// The baseline: the file read into a new buffer and deciphered.
void BM_DecipherFile(benchmark::State& state) {
    measure(state, [](LargeLedger& f) {
        Bytes file = readWholeFile(f.dir + "bench.da0", OpenMode::ReadOnly).bytes;
        f.scrambler.decrypt(file.data(), file.size());
        benchmark::DoNotOptimize(file.data());
    });
}
BENCHMARK(BM_DecipherFile)->Apply(ledgerSizes);

// The same, deciphered on every core.
void BM_DecipherFileAllCores(benchmark::State& state) {
    measure(state, [](LargeLedger& f) {
        Bytes file = readWholeFile(f.dir + "bench.da0", OpenMode::ReadOnly).bytes;
        decipherOnAllCores(f.scrambler, file.data(), file.size());
        benchmark::DoNotOptimize(file.data());
    });
}
BENCHMARK(BM_DecipherFileAllCores)->Apply(ledgerSizes);

// Logging in: the ledger loaded into a new vector.
void BM_LoadLedger(benchmark::State& state) {
    measure(state, [](LargeLedger& f) {
        Ledger ledger;
        loadLedger(f.readOnlyStore(), f.owner, ledger);
        benchmark::DoNotOptimize(ledger.data());
    });
}
BENCHMARK(BM_LoadLedger)->Apply(ledgerSizes);

void BM_LoadLedgerAndComputeHoldings(benchmark::State& state) {
    measure(state, [](LargeLedger& f) {
        Ledger ledger;
        loadLedger(f.readOnlyStore(), f.owner, ledger);
        Holdings h = computeHoldings(ledger, 0, -1);
        benchmark::DoNotOptimize(h.data());
    });
}
BENCHMARK(BM_LoadLedgerAndComputeHoldings)->Apply(ledgerSizes);

// Checking the ledger as verify does: every record deciphered, none kept.
void BM_ScanLedger(benchmark::State& state) {
    measure(state, [](LargeLedger& f) {
        std::size_t records = 0;
        scanLedger(f.readOnlyStore(), f.owner,
                   [&](const LedgerRecord*, std::size_t n) { records += n; });
        benchmark::DoNotOptimize(records);
    });
}
BENCHMARK(BM_ScanLedger)->Apply(ledgerSizes);

// A new password: the header rewritten, every record after it copied as it is.
void BM_NewPasswordHeader(benchmark::State& state) {
    measure(state, [](LargeLedger& f) {
        writeLedgerHeader(f.writableStore(), f.owner, fieldBytes(f.owner.password));
    });
}
BENCHMARK(BM_NewPasswordHeader)->Apply(ledgerSizes);

void reportRegistry(benchmark::State& state, const PeakMeter& meter) {
    const auto bytes =
        static_cast<double>(std::filesystem::file_size(registryPath(largeRegistry().dir)));
    state.counters["peak/file"] = static_cast<double>(meter.highest()) / bytes;
}

// The registry's baseline: the file read into a new buffer and deciphered.
void BM_DecipherRegistry(benchmark::State& state) {
    LargeRegistry& r = largeRegistry();
    PeakMeter meter;
    for (auto _ : state) {
        meter.start();
        Bytes file = readWholeFile(registryPath(r.dir), OpenMode::ReadOnly).bytes;
        r.scrambler.decrypt(file.data(), file.size() - file.size() % 8);
        benchmark::DoNotOptimize(file.data());
        meter.stop();
    }
    reportRegistry(state, meter);
}
BENCHMARK(BM_DecipherRegistry)->Unit(benchmark::kMillisecond);

void BM_LoadRegistry(benchmark::State& state) {
    LargeRegistry& r = largeRegistry();
    PeakMeter meter;
    for (auto _ : state) {
        meter.start();
        AccountList accounts = loadRegistry(r.dir, r.scrambler, r.messages, OpenMode::ReadOnly);
        benchmark::DoNotOptimize(accounts.data());
        meter.stop();
    }
    reportRegistry(state, meter);
}
BENCHMARK(BM_LoadRegistry)->Unit(benchmark::kMillisecond);

// No dialog is ever shown while the window opens.
class NoDialogs : public ui::DialogRunner {
public:
    bool run(ui::DialogModel&) override { return false; }
};

// The window opening on the registry: loaded, then the account tree filled with each
// account's login state. Against BM_LoadRegistry: the tree must not grow faster than the
// registry does.
void BM_OpenWindowOnRegistry(benchmark::State& state) {
    LargeRegistry& r = largeRegistry();
    NoDialogs dialogs;
    for (auto _ : state) {
        ui::MainWindowModel window(r.messages, dialogs);
        window.OnInitDialogAt(r.dir, r.dir + "trdpara.dat");
        benchmark::DoNotOptimize(window.tree().data());
    }
}
BENCHMARK(BM_OpenWindowOnRegistry)->Unit(benchmark::kMillisecond);

// A booking as the command line makes it: load, add one record at the end, save (the record
// appended to the file in place).
void BM_LoadAndBookOneRecord(benchmark::State& state) {
    LargeLedger& f = largeLedger(static_cast<int>(state.range(0)));
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
BENCHMARK(BM_LoadAndBookOneRecord)->Apply(ledgerSizes);

}  // namespace
}  // namespace fiscora::bench

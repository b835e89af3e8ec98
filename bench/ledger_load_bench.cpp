// Loading and booking on a large ledger, each against deciphering the file's bytes in the
// same run. Every iteration starts cold: fresh buffers and a fresh ledger, as a process
// that logs in has. The peak/file counter is the heap's highest level during one
// iteration over the file's size. Run: build/bench/ledger_load_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include "engine/holdings.h"
#include "large_ledger.h"

namespace {

// Heap bytes in use and their highest level since the last reset.
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

// The heap's growth over one piece of work, the highest of all pieces measured.
class PeakMeter {
public:
    void start() {
        base_ = liveBytes.load();
        peakBytes = base_;
    }
    void stop() { highest_ = std::max(highest_, peakBytes.load() - base_); }
    std::size_t highest() const { return highest_; }

private:
    std::size_t base_ = 0;
    std::size_t highest_ = 0;
};

}  // namespace

void* operator new(std::size_t size) {
    auto* block = static_cast<std::size_t*>(std::malloc(size + sizeof(std::max_align_t)));
    if (block == nullptr) throw std::bad_alloc();
    *block = size;
    const std::size_t now = liveBytes += size;
    std::size_t peak = peakBytes.load();
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
    }
    return reinterpret_cast<char*>(block) + sizeof(std::max_align_t);
}

// GCC takes the free() below for one of a new'd pointer; it is the malloc'd block.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    if (p == nullptr) return;
    auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(p) - sizeof(std::max_align_t));
    liveBytes -= *block;
    std::free(block);
}
#pragma GCC diagnostic pop

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

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

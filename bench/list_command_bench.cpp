// The command line's list, curve and booking commands on large ledgers (100,000 and
// 1,000,000 records), each against loading the ledger in the same run. The peak/file
// counter is the heap's highest level during one command over the ledger file's size; the
// lists go to a stream that keeps nothing. Run:
// build/bench/list_command_bench --benchmark_repetitions=5
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include <stdlib.h>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "heap_meter.h"
#include "large_ledger.h"
#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/trade_param_file.h"

namespace fiscora::bench {
namespace {

// Counts what is written and keeps none of it.
class CountingBuffer : public std::streambuf {
public:
    std::size_t written = 0;

protected:
    int_type overflow(int_type c) override {
        ++written;
        return c;
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        written += static_cast<std::size_t>(n);
        return n;
    }
};

// The fixture's ledger as a data folder the command line opens: its registry, a fee
// table and the password in a file.
struct CliFolder {
    explicit CliFolder(LargeLedger& f) : ledger(f) {
        saveRegistry(f.dir, {f.owner}, f.scrambler, f.messages);
        saveTradeParams(f.dir + "trdpara.dat", {}, f.messages);
        std::ofstream(f.dir + "pw") << "pw\n";
    }
    std::vector<std::string> args(std::vector<std::string> command) const {
        std::vector<std::string> all = {"--data",          ledger.dir,
                                        "--params",        ledger.dir + "trdpara.dat",
                                        "--password-file", ledger.dir + "pw"};
        all.insert(all.end(), command.begin(), command.end());
        return all;
    }
    LargeLedger& ledger;
};

CliFolder& cliFolder(int records) {
    if (records == kHugeLedgerRecords) {
        static CliFolder huge(largeLedger(kHugeLedgerRecords));
        return huge;
    }
    static CliFolder large(largeLedger(kLargeLedgerRecords));
    return large;
}

double fileBytes(const LargeLedger& f) {
    return static_cast<double>(std::filesystem::file_size(f.dir + "bench.da0"));
}

// Runs the command once per round, metering the peak memory it takes.
void runCommand(benchmark::State& state, const std::vector<std::string>& command) {
    CliFolder& folder = cliFolder(static_cast<int>(state.range(0)));
    const std::string path = folder.ledger.dir + "bench.da0";
    const auto size = std::filesystem::file_size(path);
    PeakMeter meter;
    CountingBuffer out;
    std::ostream stream(&out);
    std::ostringstream err;
    int exitCode = 0;
    for (auto _ : state) {
        meter.start();
        exitCode = cli::runCli(folder.args(command), stream, err);
        meter.stop();
        // A booking appends one record: the file is cut back for the next round.
        if (std::filesystem::file_size(path) != size) {
            state.PauseTiming();
            std::filesystem::resize_file(path, size);
            state.ResumeTiming();
        }
    }
    if (exitCode != 0) state.SkipWithError(err.str().c_str());
    state.counters["peak/file"] = static_cast<double>(meter.highest()) / fileBytes(folder.ledger);
    state.counters["out/file"] = static_cast<double>(out.written) /
                                 static_cast<double>(state.iterations()) / fileBytes(folder.ledger);
}

void ledgerSizes(benchmark::internal::Benchmark* b) {
    // Wall time: deciphering runs on threads besides the one measured.
    b->Arg(kLargeLedgerRecords)
        ->Arg(kHugeLedgerRecords)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

// The ledger loaded as a login loads it, and dropped.
void loadOnce(LargeLedger& f) {
    Ledger ledger;
    loadLedger(f.readOnlyStore(), f.owner, ledger);
    benchmark::DoNotOptimize(ledger.data());
}

// The baseline.
void BM_LoadLedger(benchmark::State& state) {
    LargeLedger& f = cliFolder(static_cast<int>(state.range(0))).ledger;
    PeakMeter meter;
    for (auto _ : state) {
        meter.start();
        loadOnce(f);
        meter.stop();
    }
    state.counters["peak/file"] = static_cast<double>(meter.highest()) / fileBytes(f);
}
BENCHMARK(BM_LoadLedger)->Apply(ledgerSizes);

void BM_LedgerTsv(benchmark::State& state) {
    runCommand(state, {"ledger", "bench"});
}
BENCHMARK(BM_LedgerTsv)->Apply(ledgerSizes);

void BM_LedgerJson(benchmark::State& state) {
    runCommand(state, {"--format", "json", "ledger", "bench"});
}
BENCHMARK(BM_LedgerJson)->Apply(ledgerSizes);

void BM_Holdings(benchmark::State& state) {
    runCommand(state, {"holdings", "bench"});
}
BENCHMARK(BM_Holdings)->Apply(ledgerSizes);

// The whole account's curve over the ledger's 28 days and 200 stocks (no bar files below
// the data folder: the work measured is the pass over the records).
std::vector<std::string> curveTotal(const CliFolder& folder) {
    return {"--host-dir", folder.ledger.dir, "curve", "bench", "--total"};
}

void BM_CurveTotal(benchmark::State& state) {
    runCommand(state, curveTotal(cliFolder(static_cast<int>(state.range(0)))));
}
BENCHMARK(BM_CurveTotal)->Apply(ledgerSizes);

// A command and a load timed in turn in each iteration, so that both meet the same machine
// (other programs, caches): `x load` is the command's time over the load's. `putBack`, not
// timed, undoes what the command wrote.
void timeOverLoad(
    benchmark::State& state, CliFolder& folder, const std::vector<std::string>& command,
    const std::function<void()>& putBack = [] {}) {
    const std::vector<std::string> args = folder.args(command);
    CountingBuffer out;
    std::ostream stream(&out);
    std::ostringstream err;
    using Clock = std::chrono::steady_clock;
    Clock::duration load{}, run{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        loadOnce(folder.ledger);
        const auto t1 = Clock::now();
        if (cli::runCli(args, stream, err) != 0) state.SkipWithError(err.str().c_str());
        const auto t2 = Clock::now();
        load += t1 - t0;
        run += t2 - t1;
        state.PauseTiming();
        putBack();
        state.ResumeTiming();
    }
    state.counters["x load"] =
        std::chrono::duration<double>(run).count() / std::chrono::duration<double>(load).count();
}

// The curve over a load (at most 1.5).
void BM_CurveTotalOverLoad(benchmark::State& state) {
    CliFolder& folder = cliFolder(static_cast<int>(state.range(0)));
    timeOverLoad(state, folder, curveTotal(folder));
}
BENCHMARK(BM_CurveTotalOverLoad)->Apply(ledgerSizes);

// A sale of a held stock booked through the window's own dialog: login, booking, the list
// refreshed.
const std::vector<std::string> kBookSale = {"book",    "bench", "sell",       "--code", "600037",
                                            "--price", "10",    "--quantity", "100"};

void BM_BookSale(benchmark::State& state) {
    runCommand(state, kBookSale);
}
BENCHMARK(BM_BookSale)->Apply(ledgerSizes);

// The sale over a load (at most 1.2 at 1,000,000 records); the ledger is cut back to its
// length after each sale.
void BM_BookSaleOverLoad(benchmark::State& state) {
    CliFolder& folder = cliFolder(static_cast<int>(state.range(0)));
    const std::string path = folder.ledger.dir + "bench.da0";
    const auto size = std::filesystem::file_size(path);
    timeOverLoad(state, folder, kBookSale, [&] { std::filesystem::resize_file(path, size); });
}
BENCHMARK(BM_BookSaleOverLoad)->Apply(ledgerSizes);

// The registry's baseline: loaded as every command loads it.
void BM_LoadRegistry(benchmark::State& state) {
    LargeRegistry& r = largeRegistry();
    for (auto _ : state) {
        AccountList accounts = loadRegistry(r.dir, r.scrambler, r.messages, OpenMode::ReadOnly);
        benchmark::DoNotOptimize(accounts.data());
    }
}
BENCHMARK(BM_LoadRegistry)->Unit(benchmark::kMillisecond)->UseRealTime();

// verify over the registry: every account's ledger looked for and reported missing.
void BM_VerifyRegistry(benchmark::State& state) {
    LargeRegistry& r = largeRegistry();
    CountingBuffer out;
    std::ostream stream(&out);
    for (auto _ : state) {
        CountingBuffer err;
        std::ostream errors(&err);
        cli::runCli({"--data", r.dir, "--params", r.dir + "trdpara.dat", "verify"}, stream, errors);
    }
}
BENCHMARK(BM_VerifyRegistry)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace fiscora::bench

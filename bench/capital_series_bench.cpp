// The whole-account capital series of 20 stocks over 10 years of daily bars and a
// 5,000-record ledger: the fast series against the day-by-day reference on the same data,
// and next to them the loading and deciphering of that ledger.
// Run: build/bench/capital_series_bench
#include <benchmark/benchmark.h>

#include <string>

#include "engine/capital_series.h"
#include "host/messages.h"
#include "records/account_info.h"
#include "records/gbk_text.h"
#include "store/ledger_file.h"
#include "support/capital_series_data.h"
#include "support/literal_capital_series.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

constexpr int kStocks = 20;
constexpr int kRecords = 5000;
constexpr std::int32_t kFirstBar = 20150105;
constexpr std::int32_t kToday = 20250105;  // a Sunday: the last point takes Friday's bar

class QuietMessages : public Messages {
public:
    void show(const std::string&, const std::string&, MessageIcon) override {}
    bool ask(const std::string&, const std::string&) override { return false; }
};

struct TenYears {
    TenYears() {
        shape = test::barsOfManyStocks(dir.path(), kStocks, kRecords, kFirstBar, kToday);
        ledger = test::randomLedger(shape);
        prices = {dir.path(), [](std::string_view, std::int32_t) { return 10.0; }, kToday};

        scrambler.setFileKey();
        storeText(owner.name, "bench");
        storeText(owner.password, "pw");
        const LedgerStore store{dir.path(), scrambler, messages};
        writeLedgerHeader(store, owner, "pw");
        saveLedger(store, owner, ledger);
    }

    test::TempDir dir;
    test::LedgerShape shape;
    Ledger ledger;
    SeriesPrices prices;
    DataScrambler scrambler;
    QuietMessages messages;
    AccountInfo owner{};
};

TenYears& data() {
    static TenYears d;
    return d;
}

void BM_TotalSeriesFast(benchmark::State& state) {
    TenYears& d = data();
    for (auto _ : state) {
        DaySeries s = TotalSeries(d.ledger, d.prices);
        benchmark::DoNotOptimize(s.data());
    }
    // The points are those of the reference, checked once outside the timing.
    state.counters["identical"] =
        TotalSeries(d.ledger, d.prices) == test::literalTotalSeries(d.ledger, d.prices);
    state.counters["points"] = static_cast<double>(TotalSeries(d.ledger, d.prices).size());
}
BENCHMARK(BM_TotalSeriesFast)->Unit(benchmark::kMillisecond);

void BM_TotalSeriesDayByDay(benchmark::State& state) {
    TenYears& d = data();
    for (auto _ : state) {
        DaySeries s = test::literalTotalSeries(d.ledger, d.prices);
        benchmark::DoNotOptimize(s.data());
    }
}
BENCHMARK(BM_TotalSeriesDayByDay)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_LoadAndDecipherLedger(benchmark::State& state) {
    TenYears& d = data();
    const LedgerStore store{d.dir.path(), d.scrambler, d.messages, OpenMode::ReadOnly};
    Ledger loaded;
    for (auto _ : state) {
        loadLedger(store, d.owner, loaded);
        benchmark::DoNotOptimize(loaded.data());
    }
}
BENCHMARK(BM_LoadAndDecipherLedger)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fiscora

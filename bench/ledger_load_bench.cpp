// Loading a large ledger: read + decrypt + header check + computeHoldings, against
// deciphering the same bytes alone. Run: build/bench/ledger_load_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "engine/holdings.h"
#include "host/messages.h"
#include "records/account_info.h"
#include "records/gbk_text.h"
#include "store/ledger_file.h"

namespace fiscora {
namespace {

constexpr int kRecords = 100'000;

class QuietMessages : public Messages {
public:
    void show(const std::string&, const std::string&, MessageIcon) override {}
    bool ask(const std::string&, const std::string&) override { return false; }
};

// A ledger of kRecords trades over 200 stocks in both markets, written once.
struct LargeLedger {
    LargeLedger() {
        scrambler.setFileKey();
        dir = std::filesystem::temp_directory_path().string() + "/fiscora-bench/";
        std::filesystem::create_directories(dir);
        storeText(owner.name, "bench");
        storeText(owner.password, "pw");
        Ledger ledger;
        ledger.reserve(kRecords);
        for (int i = 0; i < kRecords; ++i) {
            LedgerRecord r =
                makeRecord(i % 3 == 2 ? RecordType::Sell : RecordType::Buy, 20200101 + i % 28);
            r.market = i % 2;
            const std::string code = std::to_string(600000 + i % 200);
            storeBytes(r.stockCode, code);
            r.quantity = 100;
            r.price = 10 + i % 7;
            r.fee = 5;
            r.amount = r.quantity * r.price + r.fee;
            ledger.push_back(r);
        }
        const LedgerStore store{dir, scrambler, messages};
        std::filesystem::remove(dir + "bench.da0");
        writeLedgerHeader(store, owner, "pw");
        saveLedger(store, owner, ledger);
    }
    ~LargeLedger() { std::filesystem::remove_all(dir); }

    DataScrambler scrambler;
    QuietMessages messages;
    AccountInfo owner{};
    std::string dir;
};

LargeLedger& fixture() {
    static LargeLedger f;
    return f;
}

void BM_DecryptOnly(benchmark::State& state) {
    LargeLedger& f = fixture();
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
    LargeLedger& f = fixture();
    const LedgerStore store{f.dir, f.scrambler, f.messages, OpenMode::ReadOnly};
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
}  // namespace fiscora

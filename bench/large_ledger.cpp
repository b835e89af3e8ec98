#include "large_ledger.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/ledger_digests.h"
#include "store/trade_param_file.h"

namespace fiscora::bench {

namespace {

std::uintmax_t fileSizeOf(int records) {
    return (static_cast<std::uintmax_t>(records) + 1) * sizeof(LedgerRecord);
}

}  // namespace

LargeLedger::LargeLedger(int records, const std::string& cacheFolder) {
    scrambler.setFileKey();
    storeText(owner.name, "bench");
    storeText(owner.password, "pw");
    if (!cacheFolder.empty()) {
        dir = cacheFolder + "/ledger-" + std::to_string(records) + "/";
        std::filesystem::create_directories(dir);
        std::error_code error;
        cached = true;
        if (std::filesystem::file_size(dir + "bench.da0", error) == fileSizeOf(records)) return;
    } else {
        // A folder of its own, so that two runs at once never remove each other's file.
        std::string folder =
            std::filesystem::temp_directory_path().string() + "/fiscora-bench-XXXXXX";
        if (::mkdtemp(folder.data()) == nullptr) throw std::runtime_error("no temporary folder");
        dir = folder + "/";
    }
    Ledger ledger;
    ledger.reserve(static_cast<std::size_t>(records));
    for (int i = 0; i < records; ++i) {
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
    const LedgerStore store = writableStore();
    std::filesystem::remove(dir + "bench.da0");
    writeLedgerHeader(store, owner, "pw");
    saveLedger(store, owner, ledger);
}

LargeLedger::~LargeLedger() {
    if (cached) return;
    std::filesystem::remove_all(dir);
    std::filesystem::remove(ledgerDigestsPath(dir));
}

LargeLedger& largeLedger() {
    return largeLedger(kLargeLedgerRecords);
}

LargeLedger& largeLedger(int records) {
    if (records == kHugeLedgerRecords) {
        static LargeLedger huge(kHugeLedgerRecords, FISCORA_BENCH_CACHE);
        return huge;
    }
    static LargeLedger large(kLargeLedgerRecords);
    return large;
}

LargeRegistry::LargeRegistry() {
    std::string folder = std::filesystem::temp_directory_path().string() + "/fiscora-bench-XXXXXX";
    if (::mkdtemp(folder.data()) == nullptr) throw std::runtime_error("no temporary folder");
    dir = folder + "/";
    scrambler.setFileKey();
    AccountList accounts(100'000);
    for (std::size_t i = 0; i < accounts.size(); ++i)
        storeBytes(accounts[i].name, "account" + std::to_string(i));
    saveRegistry(dir, accounts, scrambler, messages);
    saveTradeParams(dir + "trdpara.dat", {}, messages);
}

LargeRegistry::~LargeRegistry() {
    std::filesystem::remove_all(dir);
}

LargeRegistry& largeRegistry() {
    static LargeRegistry registry;
    return registry;
}

}  // namespace fiscora::bench

// Logging in to and booking on a protected 100,000-record ledger, against the same on the
// unprotected one in the same run. A protected login is the key's derivation (Argon2id,
// BM_DeriveKey) plus deciphering the file; the targets: the derivation within 0.5 s, the
// rest within 1.5 x BM_LoginUnprotected, BM_BookProtected within 1.5 x BM_BookUnprotected.
// Run: build/bench/protected_ledger_bench
#include <benchmark/benchmark.h>

#include <filesystem>

#include "large_ledger.h"
#include "records/gbk_text.h"
#include "store/ledger_keyring.h"

namespace fiscora::bench {
namespace {

// The large ledger's records again, in a protected account's file beside it.
struct ProtectedLedger {
    ProtectedLedger() {
        LargeLedger& plain = largeLedger();
        Ledger records;
        loadLedger(plain.readOnlyStore(), plain.owner, records);
        storeText(owner.name, "protected");
        markProtected(owner);
        const LedgerKey key = newLedgerKey("pw").value();
        keys.put(std::string(fieldBytes(owner.name)), key);
        writeLedgerAs(writableStore(), owner, records, &key);
    }

    LedgerStore readOnlyStore() {
        LargeLedger& plain = largeLedger();
        return {plain.dir, plain.scrambler, plain.messages, OpenMode::ReadOnly, &keys};
    }
    LedgerStore writableStore() {
        LargeLedger& plain = largeLedger();
        return {plain.dir, plain.scrambler, plain.messages, OpenMode::CreateIfMissing, &keys};
    }
    std::string path() { return ledgerPath(largeLedger().dir, owner); }

    AccountInfo owner{};
    LedgerKeyring keys;
};

ProtectedLedger& protectedLedger() {
    static ProtectedLedger f;
    return f;
}

// Today's login: the password compared with the registry's, the ledger loaded.
void BM_LoginUnprotected(benchmark::State& state) {
    LargeLedger& f = largeLedger();
    for (auto _ : state) {
        Ledger ledger;
        loadLedger(f.readOnlyStore(), f.owner, ledger);
        benchmark::DoNotOptimize(ledger.data());
    }
}
BENCHMARK(BM_LoginUnprotected)->Unit(benchmark::kMillisecond);

// The key derived from the password and checked against the file's header.
void BM_DeriveKey(benchmark::State& state) {
    ProtectedLedger& f = protectedLedger();
    for (auto _ : state) {
        FileReader file;
        file.open(f.path(), OpenMode::ReadOnly);
        LedgerKey key;
        benchmark::DoNotOptimize(unlockLedger(file, "pw", key));
    }
}
BENCHMARK(BM_DeriveKey)->Unit(benchmark::kMillisecond);

// The rest of a protected login: the ledger deciphered and authenticated with the key.
void BM_LoginProtectedAfterKey(benchmark::State& state) {
    ProtectedLedger& f = protectedLedger();
    for (auto _ : state) {
        Ledger ledger;
        loadLedger(f.readOnlyStore(), f.owner, ledger);
        benchmark::DoNotOptimize(ledger.data());
    }
}
BENCHMARK(BM_LoginProtectedAfterKey)->Unit(benchmark::kMillisecond);

// A booking in a logged-in window: one record appended to the loaded ledger and saved (in
// place: the unprotected file grows, the protected one has its last chunk sealed again). The
// file is put back between rounds, untimed.
template <typename Store>
void book(benchmark::State& state, const AccountInfo& owner, Store store) {
    Ledger original;
    loadLedger(store(), owner, original);
    for (auto _ : state) {
        state.PauseTiming();
        Ledger ledger;
        LedgerStamp stamp;
        loadLedger(store(), owner, ledger, &stamp);
        ledger.push_back(ledger.back());
        state.ResumeTiming();
        saveLoadedLedger(store(), owner, ledger, stamp);
        state.PauseTiming();
        saveLedger(store(), owner, original);
        state.ResumeTiming();
    }
}

void BM_BookUnprotected(benchmark::State& state) {
    LargeLedger& f = largeLedger();
    book(state, f.owner, [&] { return f.writableStore(); });
}
BENCHMARK(BM_BookUnprotected)->Unit(benchmark::kMillisecond);

void BM_BookProtected(benchmark::State& state) {
    ProtectedLedger& f = protectedLedger();
    book(state, f.owner, [&] { return f.writableStore(); });
}
BENCHMARK(BM_BookProtected)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fiscora::bench

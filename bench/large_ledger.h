#pragma once

#include <string>

#include "host/messages.h"
#include "records/account_info.h"
#include "store/data_scrambler.h"
#include "store/ledger_file.h"

namespace fiscora::bench {

inline constexpr int kLargeLedgerRecords = 100'000;
// The size the targets of the largest ledgers are measured at.
inline constexpr int kHugeLedgerRecords = 1'000'000;

class QuietMessages : public Messages {
public:
    void show(const std::string&, const std::string&, MessageIcon) override {}
    bool ask(const std::string&, const std::string&) override { return false; }
};

// A ledger file of `records` trades over 200 stocks in both markets, dated over 28 days,
// written once into a temporary folder and removed at exit; or, given a cache folder,
// kept there and written only when it is not there yet.
struct LargeLedger {
    explicit LargeLedger(int records, const std::string& cacheFolder = {});
    ~LargeLedger();
    LargeLedger(const LargeLedger&) = delete;
    LargeLedger& operator=(const LargeLedger&) = delete;

    LedgerStore readOnlyStore() { return {dir, scrambler, messages, OpenMode::ReadOnly}; }
    LedgerStore writableStore() { return {dir, scrambler, messages}; }

    DataScrambler scrambler;
    QuietMessages messages;
    AccountInfo owner{};
    std::string dir;
    bool cached = false;
};

// A registry of 100,000 accounts whose ledgers were never written, with an empty fee table,
// written once into a temporary folder and removed at exit.
struct LargeRegistry {
    LargeRegistry();
    ~LargeRegistry();
    LargeRegistry(const LargeRegistry&) = delete;
    LargeRegistry& operator=(const LargeRegistry&) = delete;

    DataScrambler scrambler;
    QuietMessages messages;
    std::string dir;
};

LargeRegistry& largeRegistry();

// The kLargeLedgerRecords fixture.
LargeLedger& largeLedger();
// The fixture of `records` records; kHugeLedgerRecords is kept under the build folder
// between runs.
LargeLedger& largeLedger(int records);

}  // namespace fiscora::bench

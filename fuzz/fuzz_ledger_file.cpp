// The ledger file: the first byte picks whether the rest is the file as stored
// (enciphered) or as deciphered, so that the fuzzer also reaches past the header check.
// Whatever loads is summed into holdings and figures, then saved and read back unchanged.
#include <cstring>

#include "engine/holdings.h"
#include "fuzz_support.h"
#include "records/gbk_text.h"
#include "store/ledger_file.h"

using namespace fiscora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DataScrambler* scrambler = &fuzz::fileScrambler();
    if (size == 0) return 0;
    const bool deciphered = (data[0] & 1) != 0;
    Bytes file(data + 1, data + size);

    AccountInfo account{};
    storeBytes(account.name, "fuzz");
    if (deciphered && !file.empty()) {
        // The header's own password, so that the records are read.
        const std::size_t n = ::strnlen(reinterpret_cast<const char*>(file.data()),
                                        std::min<std::size_t>(file.size(), 20));
        storeBytes(account.password,
                   std::string_view(reinterpret_cast<const char*>(file.data()), n));
        scrambler->encrypt(file.data(), file.size() - file.size() % 8);
    }
    fuzz::writeScratchFile("fuzz.da0", file.data(), file.size());

    fuzz::QuietMessages messages;
    const LedgerStore store{fuzz::scratchFolder(), *scrambler, messages};
    Ledger ledger;
    LedgerStamp stamp;
    if (loadLedger(store, account, ledger, &stamp) != LedgerStatus::Ok) return 0;
    const TradeParam row{};
    for (const Holding& h : computeHoldings(ledger, 0, -1)) holdingFigures(h, 10, row);
    computeSellable(ledger, 20240101);
    cashBalance(ledger);

    if (saveLoadedLedger(store, account, ledger, stamp) != SaveStatus::Saved) return 0;
    Ledger back;
    if (loadLedger(store, account, back) != LedgerStatus::Ok || back.size() != ledger.size() ||
        std::memcmp(back.data(), ledger.data(), ledger.size() * sizeof(LedgerRecord)) != 0)
        __builtin_trap();
    return 0;
}

// A protected account's ledger file: the first byte picks whether the rest is the whole
// file (its header checked and, when it fits, the key derived from "fuzz") or the chunks
// after the header of a key made once, so that the fuzzer reaches the chunks' reading.
// Whatever reads is written again with the key and must read back unchanged.
#include <cstring>

#include "fuzz_support.h"
#include "store/protected_ledger.h"

using namespace fiscora;

namespace {

const LedgerKey& fuzzKey() {
    static const LedgerKey key = newLedgerKey("fuzz", {1, 8192}).value();
    return key;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    Bytes file;
    const bool chunksOnly = (data[0] & 1) != 0;
    if (chunksOnly) file.assign(fuzzKey().header.begin(), fuzzKey().header.end());
    file.insert(file.end(), data + 1, data + size);
    const std::string path = fuzz::writeScratchFile("fuzz.da0", file.data(), file.size());

    FileReader reader;
    if (reader.open(path, OpenMode::ReadOnly) != ReadStatus::Ok) return 0;
    LedgerKey key = fuzzKey();
    if (!chunksOnly &&
        (!isProtectedLedger(reader) || unlockLedger(reader, "fuzz", key) != KeyStatus::Ok))
        return 0;
    Ledger ledger;
    const BodyStatus read =
        readProtectedRecords(reader, key, [&](const LedgerRecord* r, std::size_t n) {
            ledger.insert(ledger.end(), r, r + n);
        });
    if (read != BodyStatus::Ok) return 0;

    if (!replaceFileWith(path, [&](const ByteSink& sink) {
            return writeProtectedLedger(sink, key, ledger.data(), ledger.size());
        }))
        return 0;
    FileReader again;
    Ledger back;
    if (again.open(path, OpenMode::ReadOnly) != ReadStatus::Ok ||
        readProtectedRecords(again, key,
                             [&](const LedgerRecord* r, std::size_t n) {
                                 back.insert(back.end(), r, r + n);
                             }) != BodyStatus::Ok ||
        back.size() != ledger.size() ||
        std::memcmp(back.data(), ledger.data(), ledger.size() * sizeof(LedgerRecord)) != 0)
        __builtin_trap();
    return 0;
}

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "records/ledger_record.h"
#include "store/safe_file.h"

namespace fiscora {

// A protected account's ledger file (same name, NAME.da0), enciphered with a key derived
// from the account's password instead of the key every installation shares:
//
//   header, 96 bytes:
//     0   "FSPROTLG"                      magic
//     8   u32 version (1)
//     12  u32 records per chunk (4096)
//     16  u64 Argon2id opslimit, u64 memlimit (bytes)
//     32  16-byte salt
//     48  32-byte BLAKE2b of bytes 0..47 keyed with the derived key (tells a wrong password)
//     80  16-byte BLAKE2b of bytes 0..79 (tells a changed header from a wrong password)
//   then the records in chunks of up to 4096, each: 24-byte nonce, the records' 200-byte
//   slots enciphered with XChaCha20-Poly1305, its 16-byte tag. Every chunk authenticates
//   the header, its index and whether it is the last; the last also the BLAKE2b of every
//   earlier tag, so no byte can change, no chunk move, go or come from another version
//   without the file being refused. An empty ledger is one empty last chunk.
// Integers are little-endian. The record slots inside keep their layout.
inline constexpr std::size_t kProtectedHeaderBytes = 96;
using ProtectedHeader = std::array<unsigned char, kProtectedHeaderBytes>;

// A key derived from a password for one file header (its salt and costs). Wiped when it goes.
class LedgerKey {
public:
    LedgerKey() = default;
    LedgerKey(const LedgerKey& other) = default;
    LedgerKey& operator=(const LedgerKey& other) = default;
    ~LedgerKey();

    ProtectedHeader header{};
    std::array<unsigned char, 32> key{};
};

// True when the file starts as a protected ledger does.
bool isProtectedLedger(const FileReader& file);
bool isProtectedLedger(const unsigned char* bytes, std::size_t size);

// The number of records a protected ledger file of `fileBytes` holds, or nothing when no
// protected ledger has that size.
std::optional<std::size_t> protectedRecordCount(std::uint64_t fileBytes);

enum class KeyStatus { Ok, WrongPassword, Damaged, OutOfMemory };

// Derives the key of the file's header from the password (GBK) and checks it. Damaged: no
// readable header of ours, or costs beyond what this program ever writes.
KeyStatus unlockLedger(const FileReader& file, std::string_view password, LedgerKey& key);

// The Argon2id costs of a key: new keys take libsodium's interactive costs (two passes over
// 64 MiB; a tenth of a second on a desktop, 0.4 s on a busy two-core machine).
struct KeyCosts {
    std::uint64_t opslimit;
    std::uint64_t memlimit;
};
KeyCosts defaultKeyCosts();

// A new key for the password (GBK): a fresh random salt and the costs given. Nothing when
// the derivation has not the memory it needs.
std::optional<LedgerKey> newLedgerKey(std::string_view password,
                                      KeyCosts costs = defaultKeyCosts());

enum class BodyStatus { Ok, Tampered, Unreadable };

// Deciphers the records after the header a chunk at a time and hands each run to
// `visit` (valid only during the call), checking every chunk. A run is only handed on
// once it is authenticated, but an earlier run may have been handed on when a later one
// is found changed: callers drop what they got on anything but Ok.
BodyStatus readProtectedRecords(const FileReader& file, const LedgerKey& key,
                                const std::function<void(const LedgerRecord*, std::size_t)>& visit);

// The protected file being replaced, under the same key, when the records of its chunks
// may be copied instead of enciphered again: `holds(chunk)` says whether that chunk of the
// file holds the same records as the chunk of the new ledger.
struct ProtectedCopySource {
    const FileReader& file;
    std::function<bool(std::size_t chunk)> holds;
};

// Puts the header and the records enciphered under the key. With a previous file, each
// chunk but the last that it holds unchanged (full, and not its last either) is copied
// from it as it is: nonce, records and tag, whose associated data are the same.
bool writeProtectedLedger(const ByteSink& sink, const LedgerKey& key, const LedgerRecord* records,
                          std::size_t count, const ProtectedCopySource* previous = nullptr);

// Where a protected ledger file of `fileBytes` is resealed from when records are added at
// its end: the start of its last chunk. Nothing when no protected ledger has that size.
std::optional<std::size_t> protectedLastChunkAt(std::uint64_t fileBytes);

// Puts the chunks of a protected ledger of `records` from the old last chunk of `file` on,
// for a file whose records are the first ones of `records` (the caller has checked that)
// and that grows to all of them: exactly what writeProtectedLedger puts from that offset,
// but for the random nonces. The chunks before it stay in the file as they are; their tags
// are read from it for the new last chunk's associated data.
bool writeProtectedTail(const ByteSink& sink, const LedgerKey& key, const FileReader& file,
                        const LedgerRecord* records, std::size_t count);

}  // namespace fiscora

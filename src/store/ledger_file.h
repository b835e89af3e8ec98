#pragma once

#include <string>
#include <string_view>

#include "host/messages.h"
#include "records/account_info.h"
#include "records/ledger_record.h"
#include "store/data_scrambler.h"
#include "store/safe_file.h"

namespace fiscora {

// An account's ledger lives in the data directory as name + ".da0": the enciphered form
// of a 200-byte header slot followed by one 200-byte slot per record, in ledger order.
// The header is a fresh record whose first 21 bytes hold the account's password; a file
// whose header does not match the registered password is refused as tampered with.
inline constexpr const char* kLedgerSuffix = ".da0";

enum class LedgerStatus { Ok, Missing, CannotOpen, Damaged, Tampered, UnsafeName };

// Where the ledger files are and how they are read and reported.
struct LedgerStore {
    std::string dataDirectory;
    const DataScrambler& scrambler;
    Messages& messages;
    OpenMode mode = OpenMode::CreateIfMissing;
};

// True when the name (UTF-8) can be a file name inside the data directory: not empty,
// no '/', no NUL, not "." or "..".
bool isPlainFileName(std::string_view name);
std::string unsafeNameMessage(std::string_view name);

// data directory + name + ".da0", the name as UTF-8.
std::string ledgerPath(const std::string& dataDirectory, const AccountInfo& account);

// Replaces `ledger` with the file's records (it is emptied first). Every refusal is
// reported; the ledger then stays empty.
LedgerStatus loadLedger(const LedgerStore& store, const AccountInfo& account, Ledger& ledger);

// Rewrites the file: a fresh header with the password found in the file's own header,
// then the records. Refuses, reported and without writing, a file whose header does not
// match the registered password. A write that fails is reported with the open-failure
// message; the ledger in memory stays as it is.
bool saveLedger(const LedgerStore& store, const AccountInfo& account, const Ledger& ledger);

// Writes a fresh header slot for `gbkPassword` at the start of the file and keeps every
// byte after it: the whole file of a new account, or the new password of an old one.
bool writeLedgerHeader(const LedgerStore& store, const AccountInfo& account,
                       std::string_view gbkPassword);

}  // namespace fiscora

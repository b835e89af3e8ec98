#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

#include "store/data_scrambler.h"
#include "store/safe_file.h"

namespace fiscora {

// ".fiscora-intent" in the data folder: what a change of more than one file is about to do,
// written (crash-safely) before its first step and removed after its last, so that the next
// program to open the folder can finish or undo a change that a crash interrupted. Only this
// program creates a file of that name.
inline constexpr const char* kIntentFileName = ".fiscora-intent";

// The file's layout, enciphered like the data files: "FSINTENT", the kind, the ledger
// file's device and inode when the change began (0 when it had none), then three GBK fields
// of 32 bytes, NUL-terminated: the account's name, and the old and new name or password.
struct ChangeIntent {
    // Protect and Unprotect replace the whole ledger file (the previous one kept as
    // kPreviousLedgerFileName until the registry holds the change); `from` and `to` are empty.
    // Append adds records to the ledger file in place (store/ledger_append.h); `from` is the
    // file's length before, in decimal.
    enum class Kind : std::uint8_t {
        Rename = 1,
        NewPassword = 2,
        Protect = 3,
        Unprotect = 4,
        Append = 5
    };
    Kind kind = Kind::Rename;
    std::uint64_t ledgerDevice = 0;
    std::uint64_t ledgerInode = 0;
    std::string account;  // GBK
    std::string from;     // GBK: the old name, or the old password
    std::string to;       // GBK: the new name, or the new password
    bool operator==(const ChangeIntent&) const = default;
};

std::string intentPath(const std::string& dataDirectory);

// Writes the intent; false (with the reason in `error`) when it could not be written.
bool writeIntent(const std::string& dataDirectory, const DataScrambler& scrambler,
                 const ChangeIntent& intent, FileError& error);
// The intent left in the folder, if any; a file that is not one is ignored.
std::optional<ChangeIntent> readIntent(const std::string& dataDirectory,
                                       const DataScrambler& scrambler);
// Makes the data folder's latest change of names (a file added, renamed or removed) durable.
void syncFolder(const std::string& dataDirectory);

// Removes the intent, durably; false when it is still there.
bool removeIntent(const std::string& dataDirectory);

// ".fiscora-intent-ledger" in the data folder: a second name (a hard link) of the ledger
// file a Protect or Unprotect change replaces, so that a change the registry does not hold
// yet can be undone without its password. Only this program creates a file of that name.
inline constexpr const char* kPreviousLedgerFileName = ".fiscora-intent-ledger";

// Keeps the ledger file at `ledgerPath` under the second name; false (with the reason in
// `error`) when it cannot. A missing ledger file needs no keeping.
bool keepPreviousLedger(const std::string& dataDirectory, const std::string& ledgerPath,
                        FileError& error);
// Puts the kept file back at `ledgerPath` (over what is there), or only drops the second
// name when it names the file already there. False when a kept file could not go back.
bool restorePreviousLedger(const std::string& dataDirectory, const std::string& ledgerPath);
// Drops the second name, durably.
void dropPreviousLedger(const std::string& dataDirectory);

}  // namespace fiscora

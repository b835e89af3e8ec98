#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/messages.h"
#include "records/account_info.h"
#include "records/ledger_record.h"
#include "store/byte_digest.h"
#include "store/data_scrambler.h"
#include "store/ledger_keyring.h"
#include "store/safe_file.h"

namespace fiscora {

// An account's ledger lives in the data directory as name + ".da0": the enciphered form
// of a 200-byte header slot followed by one 200-byte slot per record, in ledger order.
// The header is a fresh record whose first 21 bytes hold the account's password; a file
// whose header does not match the registered password is refused as tampered with.
inline constexpr const char* kLedgerSuffix = ".da0";

// PartialRecord: the records were read, but the file ends in a piece of a record (a cut
// write); a rewrite leaves that piece out. Locked: a protected account's ledger, and no key
// for it (nobody logged in with its password).
enum class LedgerStatus {
    Ok,
    Missing,
    CannotOpen,
    Damaged,
    Tampered,
    UnsafeName,
    PartialRecord,
    Locked
};

// True when the records were read (possibly without a trailing partial record).
inline bool isLoaded(LedgerStatus s) {
    return s == LedgerStatus::Ok || s == LedgerStatus::PartialRecord;
}

// Saved; not written (reported); or not written because another program changed the file
// since it was read (reported, the caller reloads).
enum class SaveStatus { Saved, Failed, ChangedOnDisk };

// The ledger file as read or last written: its stamp, and a digest of each run of records
// as they were read (kLedgerChunkRecords at a time, the last run shorter). A save copies
// the runs that are still the same from the file instead of enciphering them again.
inline constexpr std::size_t kLedgerChunkRecords = 4096;
struct LedgerStamp {
    FileStamp file;
    std::vector<ByteDigest> chunks;
};

// Where the ledger files are and how they are read and reported. A protected account's
// ledger (store/protected_ledger.h) is read and written with its key from `keys`.
struct LedgerStore {
    std::string dataDirectory;
    const DataScrambler& scrambler;
    Messages& messages;
    OpenMode mode = OpenMode::CreateIfMissing;
    const LedgerKeyring* keys = nullptr;
};

// True when the name (UTF-8) can be a file name inside the data directory: not empty,
// no '/', no control character (NUL, TAB, line ends...), not "." or "..", not only spaces.
bool isPlainFileName(std::string_view name);
std::string unsafeNameMessage(std::string_view name);

// data directory + name + ".da0", the name as UTF-8.
std::string ledgerPath(const std::string& dataDirectory, const AccountInfo& account);

// Whether a load keeps the digest of each run of records in its stamp, for a later save to
// copy the runs unchanged; a reader that never saves what it read skips them.
enum class RunDigests { Keep, Skip };

// The digests of an ordinary (unprotected) ledger's runs of records as a load keeps them in
// its stamp, computed on the calling thread: for a reader that loads with RunDigests::Skip
// and takes them beside other work on the records just read.
std::vector<ByteDigest> ledgerRunDigests(const Ledger& ledger);

// Replaces `ledger` with the file's records (it is emptied first). Every refusal is
// reported; the ledger then stays empty. A file beyond the format's size is damaged. The
// stamp of the file read is stored in `stamp` when given, with the runs' digests unless
// `digests` says to skip them. The ledger keeps some spare capacity, so that booking a
// record does not copy it. The records are deciphered on every core.
LedgerStatus loadLedger(const LedgerStore& store, const AccountInfo& account, Ledger& ledger,
                        LedgerStamp* stamp = nullptr, RunDigests digests = RunDigests::Keep);

// Reads the file as loadLedger does, but hands the records to `visit` a run at a time
// (deciphered, at most kLedgerChunkRecords, valid only during the call) instead of keeping
// them, so that a ledger of any size is checked in the memory of one run. Refusals are
// reported as loadLedger reports them.
using RecordRun = std::function<void(const LedgerRecord* first, std::size_t count)>;
LedgerStatus scanLedger(const LedgerStore& store, const AccountInfo& account,
                        const RecordRun& visit);

// Rewrites the file: a fresh header with the password found in the file's own header,
// then the records. Refuses, reported and without writing, a file whose header does not
// match the registered password. A write that fails is reported with the open-failure
// message; the ledger in memory stays as it is.
bool saveLedger(const LedgerStore& store, const AccountInfo& account, const Ledger& ledger);

// The same for a ledger loaded earlier, under the data folder's lock: when the file is no
// longer the one `stamp` describes, another program changed it, and nothing is written
// over that change (reported with "已被其他程序修改"). On success `stamp` describes the
// new file.
SaveStatus saveLoadedLedger(const LedgerStore& store, const AccountInfo& account,
                            const Ledger& ledger, LedgerStamp& stamp);

// Writes a new account's whole file (its header for the account's password, then the
// records) without reading what may be there. On success `stamp` describes the file.
bool writeNewLedger(const LedgerStore& store, const AccountInfo& account, const Ledger& ledger,
                    LedgerStamp& stamp);

// Writes the whole file for `account` as it is registered (protected with `key`, else with
// its password in the header) from `ledger`, whatever the file held: the step of turning
// protection on or off, or of a protected account's new password. The caller holds the
// data folder's lock and has read the file with its old key or password.
bool writeLedgerAs(const LedgerStore& store, const AccountInfo& account, const Ledger& ledger,
                   const LedgerKey* key);

// "记录NAME个人资料的文件已经被非法篡改，不能读取资料".
std::string tamperedLedgerMessage(const AccountInfo& account);

// The message shown when another program changed a file since it was read.
std::string changedOnDiskMessage(const std::string& path);
// "不能打开文件PATH.不能完成操作" with the reason of the failure when there is one.
std::string ledgerOpenFailure(const std::string& path, FileError error);

// Writes a fresh header slot for `gbkPassword` at the start of the file and keeps every
// byte after it: the whole file of a new account, or the new password of an old one.
bool writeLedgerHeader(const LedgerStore& store, const AccountInfo& account,
                       std::string_view gbkPassword);

// Makes the kept version at `versionPath` the account's ledger again (the present file kept
// as a version in turn, so the restore can be undone). A version written under another
// password than the registry's gets a header for the registry's, its records unchanged.
// Failures are reported.
bool restoreLedger(const LedgerStore& store, const AccountInfo& account,
                   const std::string& versionPath);

// The password in the ledger file's header (GBK), or nothing when there is no readable
// header. Nothing is reported.
std::optional<std::string> ledgerHeaderPassword(const LedgerStore& store,
                                                const AccountInfo& account);

}  // namespace fiscora

#include "store/ledger_file.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

#include "records/gbk_text.h"
#include "store/account_registry.h"
#include "store/file_backups.h"
#include "store/folder_lock.h"
#include "store/ledger_append.h"
#include "store/ledger_digests.h"
#include "store/parallel_decipher.h"
#include "store/protected_ledger.h"
#include "store/run_digests.h"

namespace fiscora {
namespace {

constexpr std::size_t kSlot = sizeof(LedgerRecord);
constexpr std::size_t kHeaderPasswordBytes = 21;

std::string damaged(const std::string& path) {
    return "文件" + path + "已经被损坏,不能对此帐户进行操作";
}
std::string tampered(const AccountInfo& a) {
    return tamperedLedgerMessage(a);
}
std::string locked(const AccountInfo& a) {
    return "帐户" + fieldText(a.name) + "已加强保护，请先用密码登录";
}

// How a ledger file is written: with the password in its header, or protected with a key.
struct LedgerFormat {
    std::string_view password;
    const LedgerKey* key = nullptr;
};

// The key a protected account's ledger is read and written with, or null.
const LedgerKey* keyOf(const LedgerStore& store, const AccountInfo& account) {
    return store.keys != nullptr ? store.keys->find(fieldBytes(account.name)) : nullptr;
}

// Records are read, deciphered and written this many at a time, so that no second copy
// of a large ledger is ever held.
constexpr std::size_t kChunkRecords = kLedgerChunkRecords;

// The header's password as a string bounded to its 21 bytes.
std::string_view headerPassword(const Bytes& bytes) {
    const char* p = reinterpret_cast<const char*>(bytes.data());
    return {p, ::strnlen(p, kHeaderPasswordBytes)};
}

LedgerRecord headerSlot(std::string_view password) {
    LedgerRecord header;
    std::memcpy(&header, password.data(), std::min(password.size(), kHeaderPasswordBytes - 1));
    return header;
}

std::size_t chunkOffset(std::size_t chunk) {
    return (1 + chunk * kChunkRecords) * kSlot;
}

// The file a ledger was read from, open and unchanged since, with the digests of its runs
// of records.
struct ReadLedgerFile {
    const FileReader& file;
    const std::vector<ByteDigest>& chunks;

    bool holds(std::size_t chunk, const ByteDigest& digest) const {
        return chunk < chunks.size() && chunks[chunk] == digest;
    }
};

// The ledger file's path, or nothing (reported) when the name would leave the data
// directory.
std::optional<std::string> checkedPath(const LedgerStore& store, const AccountInfo& account) {
    const std::string name = fieldText(account.name);
    if (!isPlainFileName(name)) {
        store.messages.plain(unsafeNameMessage(name));
        return std::nullopt;
    }
    return ledgerPath(store.dataDirectory, account);
}

// Opens the file as the store opens it; refusals are reported. A file beyond the format's
// size is damaged.
LedgerStatus openLedgerFile(const LedgerStore& store, const std::string& path, FileReader& file) {
    switch (file.open(path, store.mode)) {
    case ReadStatus::Ok: return LedgerStatus::Ok;
    case ReadStatus::TooLarge: store.messages.plain(damaged(path)); return LedgerStatus::Damaged;
    case ReadStatus::Missing:
        store.messages.plain(ledgerOpenFailure(path, file.error()));
        return LedgerStatus::Missing;
    case ReadStatus::CannotOpen: break;
    }
    store.messages.plain(ledgerOpenFailure(path, file.error()));
    return LedgerStatus::CannotOpen;
}

// Reads and deciphers the header slot and compares its password with the registry's.
// `header` keeps the deciphered slot. Refusals are reported.
LedgerStatus checkHeader(const LedgerStore& store, const AccountInfo& account,
                         const std::string& path, const FileReader& file, Bytes& header) {
    header.assign(kSlot, 0);
    if (file.size() < kSlot || !file.readAt(0, header.data(), kSlot)) {
        store.messages.plain(damaged(path));
        return LedgerStatus::Damaged;
    }
    // Blocks are enciphered independently, so the header and the records decipher apart.
    store.scrambler.decrypt(header.data(), kSlot);
    if (headerPassword(header) != fieldBytes(account.password)) {
        store.messages.plain(tampered(account));
        return LedgerStatus::Tampered;
    }
    return LedgerStatus::Ok;
}

// Reads the records after the header `runRecords` at a time into one buffer and hands each
// run to `visit`, as read (still enciphered).
bool readRuns(const FileReader& file, std::size_t count, std::size_t runRecords,
              const std::function<void(unsigned char* bytes, std::size_t n)>& visit) {
    try {
        Bytes run(std::min(count, runRecords) * kSlot);
        for (std::size_t done = 0; done < count;) {
            const std::size_t n = std::min(runRecords, count - done);
            if (!file.readAt((1 + done) * kSlot, run.data(), n * kSlot)) return false;
            visit(run.data(), n);
            done += n;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// The records go into the ledger through a buffer this small, so that the ledger's spare
// room, not the buffer, is what a load takes beyond the file.
constexpr std::size_t kLoadRunRecords = 256;

// A protected body as read: the refusal, if any, reported.
LedgerStatus protectedStatus(const LedgerStore& store, const AccountInfo& account,
                             const std::string& path, BodyStatus read) {
    if (read == BodyStatus::Ok) return LedgerStatus::Ok;
    if (read == BodyStatus::Tampered) {
        store.messages.plain(tampered(account));
        return LedgerStatus::Tampered;
    }
    store.messages.plain(damaged(path));
    return LedgerStatus::Damaged;
}

// What the records after the header leave over: a cut last record is read as far as it goes.
LedgerStatus tailStatus(const FileReader& file) {
    return file.size() % kSlot == 0 ? LedgerStatus::Ok : LedgerStatus::PartialRecord;
}

// Hands the records after the header to `visit` a run at a time, deciphered (on every core)
// or, when the account is protected, decrypted with its key. Ok or PartialRecord; a refusal
// is reported.
LedgerStatus
readLedgerRecords(const LedgerStore& store, const AccountInfo& account, const std::string& path,
                  const FileReader& file,
                  const std::function<void(const unsigned char* bytes, std::size_t n)>& visit) {
    if (isProtected(account)) {
        const BodyStatus read = readProtectedRecords(
            file, *keyOf(store, account), [&](const LedgerRecord* first, std::size_t n) {
                visit(reinterpret_cast<const unsigned char*>(first), n);
            });
        return protectedStatus(store, account, path, read);
    }
    const bool read = readRuns(file, file.size() / kSlot - 1, kChunkRecords,
                               [&](unsigned char* bytes, std::size_t n) {
                                   decipherOnAllCores(store.scrambler, bytes, n * kSlot);
                                   visit(bytes, n);
                               });
    if (read) return tailStatus(file);
    store.messages.plain(damaged(path));
    return LedgerStatus::Damaged;
}

// Reads the records straight into the ledger, with the digest of each chunk of records when
// `digests` is given. An ordinary ledger is read still enciphered and deciphered in place,
// on the other cores behind the reading, then on every core.
LedgerStatus readRecords(const LedgerStore& store, const AccountInfo& account,
                         const std::string& path, const FileReader& file, Ledger& ledger,
                         std::vector<ByteDigest>* digests) {
    try {
        // Room for the bookings of a session, so that appending one does not copy them.
        const std::size_t count = file.size() / kSlot - 1;
        ledger.reserve(count + count / 16 + 16);
        if (isProtected(account)) {
            return readLedgerRecords(
                store, account, path, file, [&](const unsigned char* bytes, std::size_t n) {
                    if (digests != nullptr) digests->push_back(digestOf(bytes, n * kSlot));
                    const auto* first = reinterpret_cast<const LedgerRecord*>(bytes);
                    ledger.insert(ledger.end(), first, first + n);
                });
        }
        // The other cores decipher the records behind the reading; no reallocation moves
        // them, the room being reserved.
        const std::size_t before = ledger.size();
        DecipherBehindReader decipher(store.scrambler,
                                      reinterpret_cast<unsigned char*>(ledger.data() + before),
                                      count * kSlot);
        const bool read =
            readRuns(file, count, kLoadRunRecords, [&](unsigned char* bytes, std::size_t n) {
                const auto* first = reinterpret_cast<const LedgerRecord*>(bytes);
                ledger.insert(ledger.end(), first, first + n);
                decipher.filled((ledger.size() - before) * kSlot);
            });
        if (!read) {
            decipher.abandon();
            store.messages.plain(damaged(path));
            return LedgerStatus::Damaged;
        }
        decipher.finish();
        if (digests != nullptr)
            *digests = runDigestsOnAllCores(ledger.data(), count * kSlot, kChunkRecords * kSlot);
        return tailStatus(file);
    } catch (const std::bad_alloc&) {
        store.messages.plain(damaged(path));
        return LedgerStatus::Damaged;
    }
}

// A protected account's file can be read when there is a key for it and the file is one
// of ours; the key's fit is checked as the records are read.
LedgerStatus checkProtected(const LedgerStore& store, const AccountInfo& account,
                            const FileReader& file) {
    if (keyOf(store, account) == nullptr) {
        store.messages.plain(locked(account));
        return LedgerStatus::Locked;
    }
    if (!isProtectedLedger(file)) {
        store.messages.plain(tampered(account));
        return LedgerStatus::Tampered;
    }
    return LedgerStatus::Ok;
}

// Opens the account's file and checks its header, as every reader does. `stamp`, when
// given, describes the file before it is opened (which may create it): a file that cannot
// be read is described as it is, so a later save meets the same refusal instead of an
// apparent change.
LedgerStatus openChecked(const LedgerStore& store, const AccountInfo& account, FileReader& file,
                         std::string& path, LedgerStamp* stamp = nullptr) {
    const auto checked = checkedPath(store, account);
    if (!checked) return LedgerStatus::UnsafeName;
    path = *checked;
    if (stamp != nullptr) *stamp = {stampOf(path), {}};
    if (const LedgerStatus s = openLedgerFile(store, path, file); s != LedgerStatus::Ok) return s;
    if (isProtected(account)) return checkProtected(store, account, file);
    Bytes header;
    return checkHeader(store, account, path, file, header);
}

// Puts the bytes enciphered, through a buffer of one chunk.
bool putEnciphered(const LedgerStore& store, const ByteSink& sink, Bytes& buffer, const void* data,
                   std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    buffer.assign(p, p + size);
    store.scrambler.encrypt(buffer.data(), size);
    return sink.put(buffer.data(), size);
}

// Rewrites the file as a header for `password` and the records, chunk by chunk, or
// protected with the format's key. A chunk that `read` still holds as it is in memory is
// copied from there; the others are enciphered.
bool writeLedgerFile(const LedgerStore& store, const std::string& path, LedgerFormat format,
                     const Ledger& ledger, LedgerStamp* stamp,
                     const std::optional<ReadLedgerFile>& read = std::nullopt,
                     mode_t widestNewMode = 0666) {
    std::vector<ByteDigest> digests;
    const WriteResult written = replaceFileWith(
        path,
        [&](const ByteSink& sink) {
            if (format.key != nullptr) {
                // The digests first: a chunk the file read still holds is copied from it.
                for (std::size_t at = 0; at < ledger.size(); at += kChunkRecords)
                    digests.push_back(digestOf(
                        ledger.data() + at, std::min(kChunkRecords, ledger.size() - at) * kSlot));
                std::optional<ProtectedCopySource> previous;
                if (read)
                    previous.emplace(ProtectedCopySource{read->file, [&](std::size_t chunk) {
                                                             return read->holds(chunk,
                                                                                digests[chunk]);
                                                         }});
                return writeProtectedLedger(sink, *format.key, ledger.data(), ledger.size(),
                                            previous ? &*previous : nullptr);
            }
            Bytes buffer;
            const LedgerRecord header = headerSlot(format.password);
            if (!putEnciphered(store, sink, buffer, &header, kSlot)) return false;
            for (std::size_t chunk = 0; chunk * kChunkRecords < ledger.size(); ++chunk) {
                const LedgerRecord* first = ledger.data() + chunk * kChunkRecords;
                const std::size_t size =
                    std::min(kChunkRecords, ledger.size() - chunk * kChunkRecords) * kSlot;
                digests.push_back(digestOf(first, size));
                if (read && read->holds(chunk, digests.back()) &&
                    sink.copyFrom(read->file, chunkOffset(chunk), size))
                    continue;
                if (!putEnciphered(store, sink, buffer, first, size)) return false;
            }
            return true;
        },
        widestNewMode, KeepVersion::Yes);
    if (!written) {
        store.messages.plain(ledgerOpenFailure(path, written.error));
        return false;
    }
    // A protected ledger authenticates itself; the others' records are remembered beside
    // the data folder, for verify.
    recordLedgerDigest(store.dataDirectory, path.substr(store.dataDirectory.size()),
                       format.key != nullptr ? std::nullopt
                                             : std::optional(ledgerRecordsDigest(digests)));
    if (stamp != nullptr) *stamp = {written.stamp, std::move(digests)};
    return true;
}

// The digests of the runs of the ledger's records as written in a file of them all, when its
// first `inFile` records are those of the file read (its runs' digests `read`): those of the
// runs the file holds whole are the ones read, the others computed. Nothing when the ledger
// differs from the file anywhere in its first `inFile` records.
std::optional<std::vector<ByteDigest>> digestsAfterAppending(const Ledger& ledger,
                                                             std::size_t inFile,
                                                             const std::vector<ByteDigest>& read) {
    if (read.size() != (inFile + kChunkRecords - 1) / kChunkRecords) return std::nullopt;
    std::vector<ByteDigest> digests =
        runDigestsOnAllCores(ledger.data(), inFile * kSlot, kChunkRecords * kSlot);
    if (digests != read) return std::nullopt;
    // The last run the file held in part takes the new records in.
    if (inFile % kChunkRecords != 0) digests.pop_back();
    for (std::size_t at = digests.size() * kChunkRecords; at < ledger.size(); at += kChunkRecords)
        digests.push_back(
            digestOf(ledger.data() + at, std::min(kChunkRecords, ledger.size() - at) * kSlot));
    return digests;
}

// Whether the file may be written in place (a rename needs only its folder) and no other
// change's intent waits to be settled.
bool mayWriteInPlace(const LedgerStore& store, const std::string& path) {
    return ::access(path.c_str(), W_OK) == 0 &&
           ::access(intentPath(store.dataDirectory).c_str(), F_OK) != 0;
}

// After an append in place: a failure reported, else the digest recorded for verify (none for
// a protected ledger) and the stamp moved on. Whether it was written.
bool finishInPlace(const LedgerStore& store, const std::string& path, const FileReader& file,
                   FileError error, std::vector<ByteDigest>&& digests, bool protectedLedger,
                   LedgerStamp* stamp) {
    if (error != FileError::None) {
        store.messages.plain(ledgerOpenFailure(path, error));
        // Cut back under the lock, the file holds the bytes read again; only its times
        // changed. The stamp follows them, so that a retry is not taken for another
        // program's change.
        const FileStamp now = stampOf(path);
        if (stamp != nullptr && now.device == file.stamp().device &&
            now.inode == file.stamp().inode && now.size == file.stamp().size)
            stamp->file = now;
        return false;
    }
    recordLedgerDigest(store.dataDirectory, path.substr(store.dataDirectory.size()),
                       protectedLedger ? std::nullopt
                                       : std::optional(ledgerRecordsDigest(digests)));
    if (stamp != nullptr) *stamp = {stampOf(path), std::move(digests)};
    return true;
}

// Writes the records the ledger gained at its end by appending them to the file in place
// (store/ledger_append.h), when that gives exactly the bytes a rewrite would: the file ends
// in a whole record, its header is the one a rewrite writes, and its records are the
// ledger's first ones, unchanged. Nothing when the change is not such an append or the file
// may not be written in place; else whether it was written (a failure reported, nothing
// changed).
std::optional<bool> appendNewRecords(const LedgerStore& store, const AccountInfo& account,
                                     const std::string& path, const FileReader& file,
                                     const Bytes& header, const Ledger& ledger,
                                     const std::vector<ByteDigest>& read, LedgerStamp* stamp) {
    if (file.size() % kSlot != 0) return std::nullopt;
    const std::size_t inFile = file.size() / kSlot - 1;
    const LedgerRecord fresh = headerSlot(headerPassword(header));
    if (ledger.size() <= inFile || std::memcmp(&fresh, header.data(), kSlot) != 0 ||
        !mayWriteInPlace(store, path))
        return std::nullopt;
    auto digests = digestsAfterAppending(ledger, inFile, read);
    if (!digests) return std::nullopt;
    const FileError error = appendInPlace(
        {store.dataDirectory, store.scrambler, std::string(fieldBytes(account.name)), path,
         file.stamp(), std::nullopt},
        [&](const ByteSink& sink) {
            Bytes buffer;
            for (std::size_t at = inFile; at < ledger.size(); at += kChunkRecords)
                if (!putEnciphered(store, sink, buffer, ledger.data() + at,
                                   std::min(kChunkRecords, ledger.size() - at) * kSlot))
                    return false;
            return true;
        });
    return finishInPlace(store, path, file, error, std::move(*digests), false, stamp);
}

// The same for a protected ledger (authenticated and under the key, checked by the caller):
// its last chunk is sealed again with the new records, from where it starts, and further
// chunks written after it; the chunks before it are not touched. The file then decrypts to
// what a rewrite would write (the nonces are fresh either way).
std::optional<bool> resealNewRecords(const LedgerStore& store, const AccountInfo& account,
                                     const std::string& path, const FileReader& file,
                                     const LedgerKey& key, const Ledger& ledger,
                                     const std::vector<ByteDigest>& read, LedgerStamp* stamp) {
    const auto inFile = protectedRecordCount(file.size());
    const auto from = protectedLastChunkAt(file.size());
    if (!inFile || !from || ledger.size() <= *inFile || !mayWriteInPlace(store, path))
        return std::nullopt;
    auto digests = digestsAfterAppending(ledger, *inFile, read);
    if (!digests) return std::nullopt;
    const FileError error =
        appendInPlace({store.dataDirectory, store.scrambler, std::string(fieldBytes(account.name)),
                       path, file.stamp(), static_cast<off_t>(*from)},
                      [&](const ByteSink& sink) {
                          return writeProtectedTail(sink, key, file, ledger.data(), ledger.size());
                      });
    return finishInPlace(store, path, file, error, std::move(*digests), true, stamp);
}

// Checks the present file's header and rewrites the file with its password. With the stamp
// of an earlier read that still describes the file, the runs of records unchanged since are
// copied from it.
bool rewriteLedger(const LedgerStore& store, const AccountInfo& account, const std::string& path,
                   const Ledger& ledger, LedgerStamp* stamp) {
    FileReader file;
    if (openLedgerFile(store, path, file) != LedgerStatus::Ok) return false;
    std::optional<ReadLedgerFile> read;
    if (stamp != nullptr && file.stamp() == stamp->file)
        read.emplace(ReadLedgerFile{file, stamp->chunks});
    if (isProtected(account)) {
        // Only over the file its key opens: the header it was derived for.
        if (checkProtected(store, account, file) != LedgerStatus::Ok) return false;
        const LedgerKey* key = keyOf(store, account);
        ProtectedHeader present{};
        if (!file.readAt(0, present.data(), present.size()) || present != key->header) {
            store.messages.plain(tampered(account));
            return false;
        }
        // A changed file is never written over: unless this very file was read whole (a
        // read that was refused keeps no run digests; one that succeeded keeps at least
        // one), it is authenticated first.
        if ((!read || read->chunks.empty()) &&
            readProtectedRecords(file, *key, [](const LedgerRecord*, std::size_t) {}) !=
                BodyStatus::Ok) {
            store.messages.plain(tampered(account));
            return false;
        }
        if (read && !read->chunks.empty()) {
            if (const auto appended =
                    resealNewRecords(store, account, path, file, *key, ledger, read->chunks, stamp))
                return *appended;
        }
        return writeLedgerFile(store, path, {{}, key}, ledger, stamp, read);
    }
    Bytes header;
    if (checkHeader(store, account, path, file, header) != LedgerStatus::Ok) return false;
    // A length that is not a multiple of the cipher's block was never written by the
    // format's writers: it is refused like a header that does not match.
    if (file.size() % 8 != 0) {
        store.messages.plain(tampered(account));
        return false;
    }
    if (read) {
        if (const auto appended =
                appendNewRecords(store, account, path, file, header, ledger, read->chunks, stamp))
            return *appended;
    }
    return writeLedgerFile(store, path, {headerPassword(header)}, ledger, stamp, read);
}

}  // namespace

bool isPlainFileName(std::string_view name) {
    const bool hasControl = std::any_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
    return !name.empty() && name != "." && name != ".." && !hasControl &&
           name.find('/') == std::string_view::npos &&
           name.find_first_not_of(' ') != std::string_view::npos;
}

std::string unsafeNameMessage(std::string_view name) {
    return "帐户名称\"" + std::string(name) + "\"不能用作文件名,请不要使用\"/\"或只用\".\"";
}

std::string tamperedLedgerMessage(const AccountInfo& account) {
    return "记录" + fieldText(account.name) + "个人资料的文件已经被非法篡改，不能读取资料";
}

std::string changedOnDiskMessage(const std::string& path) {
    return "文件" + path + "已被其他程序修改,已重新读入,请重新操作";
}

std::string ledgerOpenFailure(const std::string& path, FileError error) {
    return "不能打开文件" + path + ".不能完成操作" + failureReason(error);
}

std::string ledgerPath(const std::string& dataDirectory, const AccountInfo& account) {
    return dataDirectory + fieldText(account.name) + kLedgerSuffix;
}

LedgerStatus loadLedger(const LedgerStore& store, const AccountInfo& account, Ledger& ledger,
                        LedgerStamp* stamp, RunDigests digests) {
    ledger.clear();
    FileReader file;
    std::string path;
    if (const LedgerStatus s = openChecked(store, account, file, path, stamp);
        s != LedgerStatus::Ok)
        return s;
    const LedgerStatus read =
        readRecords(store, account, path, file, ledger,
                    stamp != nullptr && digests == RunDigests::Keep ? &stamp->chunks : nullptr);
    if (!isLoaded(read)) {
        ledger.clear();
        if (stamp != nullptr) stamp->chunks.clear();
        return read;
    }
    if (stamp != nullptr) stamp->file = file.stamp();
    return read;
}

std::vector<ByteDigest> ledgerRunDigests(const Ledger& ledger) {
    std::vector<ByteDigest> digests;
    digests.reserve((ledger.size() + kChunkRecords - 1) / kChunkRecords);
    for (std::size_t at = 0; at < ledger.size(); at += kChunkRecords)
        digests.push_back(
            digestOf(ledger.data() + at, std::min(kChunkRecords, ledger.size() - at) * kSlot));
    return digests;
}

LedgerStatus scanLedger(const LedgerStore& store, const AccountInfo& account,
                        const RecordRun& visit) {
    FileReader file;
    std::string path;
    if (const LedgerStatus s = openChecked(store, account, file, path); s != LedgerStatus::Ok)
        return s;
    return readLedgerRecords(store, account, path, file,
                             [&](const unsigned char* bytes, std::size_t n) {
                                 visit(reinterpret_cast<const LedgerRecord*>(bytes), n);
                             });
}

bool saveLedger(const LedgerStore& store, const AccountInfo& account, const Ledger& ledger) {
    const auto path = checkedPath(store, account);
    if (!path) return false;
    FolderLock lock(store.dataDirectory);
    if (lock.busy()) {
        store.messages.plain(kAnotherProgramWriting);
        return false;
    }
    return rewriteLedger(store, account, *path, ledger, nullptr);
}

SaveStatus saveLoadedLedger(const LedgerStore& store, const AccountInfo& account,
                            const Ledger& ledger, LedgerStamp& stamp) {
    const auto path = checkedPath(store, account);
    if (!path) return SaveStatus::Failed;
    FolderLock lock(store.dataDirectory);
    if (lock.busy()) {
        store.messages.plain(kAnotherProgramWriting);
        return SaveStatus::Failed;
    }
    if (stampOf(*path) != stamp.file) {
        store.messages.plain(changedOnDiskMessage(*path));
        return SaveStatus::ChangedOnDisk;
    }
    return rewriteLedger(store, account, *path, ledger, &stamp) ? SaveStatus::Saved
                                                                : SaveStatus::Failed;
}

bool writeNewLedger(const LedgerStore& store, const AccountInfo& account, const Ledger& ledger,
                    LedgerStamp& stamp) {
    const auto path = checkedPath(store, account);
    // A new ledger is never readable by more people than the registry is.
    struct stat registry {};
    const mode_t widest = ::stat(registryPath(store.dataDirectory).c_str(), &registry) == 0
                              ? registry.st_mode & 0666
                              : 0666;
    return path && writeLedgerFile(store, *path, {fieldBytes(account.password)}, ledger, &stamp, {},
                                   widest);
}

bool writeLedgerAs(const LedgerStore& store, const AccountInfo& account, const Ledger& ledger,
                   const LedgerKey* key) {
    const auto path = checkedPath(store, account);
    return path &&
           writeLedgerFile(store, *path, {fieldBytes(account.password), key}, ledger, nullptr);
}

namespace {

// Puts the bytes of `source` from `from` on, copied inside the kernel where it can, else a
// chunk at a time through `buffer`.
bool putRest(const ByteSink& sink, const FileReader& source, std::size_t from, Bytes& buffer) {
    const std::size_t rest = source.size() > from ? source.size() - from : 0;
    if (rest == 0 || sink.copyFrom(source, from, rest)) return true;
    buffer.resize(std::min(rest, kChunkRecords * kSlot));
    for (std::size_t done = 0; done < rest;) {
        const std::size_t n = std::min(buffer.size(), rest - done);
        if (!source.readAt(from + done, buffer.data(), n) || !sink.put(buffer.data(), n))
            return false;
        done += n;
    }
    return true;
}

// Rewrites the ledger at `path` as the bytes of `source` (open) after its first 200, then
// those of `tail` (a resealed version's kept tail; closed and empty for any other file): a
// fresh header for `gbkPassword` in front of them, or, without a password, the source's own
// header too.
bool rewriteFrom(const LedgerStore& store, const std::string& path, const FileReader& source,
                 const std::optional<std::string_view>& gbkPassword,
                 const FileReader& tail = FileReader()) {
    const WriteResult written = replaceFileWith(
        path,
        [&](const ByteSink& sink) {
            Bytes buffer;
            std::size_t from = 0;
            if (gbkPassword) {
                const LedgerRecord header = headerSlot(*gbkPassword);
                if (!putEnciphered(store, sink, buffer, &header, kSlot)) return false;
                from = kSlot;
            }
            return putRest(sink, source, from, buffer) && putRest(sink, tail, 0, buffer);
        },
        0666, KeepVersion::Yes);
    if (!written) {
        store.messages.plain(ledgerOpenFailure(path, written.error));
        return false;
    }
    return true;
}

// The digest of an unprotected ledger file's records, as a save records it; nothing when
// they cannot be read whole.
std::optional<std::string> recordsDigestOf(const LedgerStore& store, const AccountInfo& account,
                                           const std::string& path, const FileReader& file) {
    std::vector<ByteDigest> runs;
    const LedgerStatus read = readLedgerRecords(store, account, path, file,
                                                [&](const unsigned char* bytes, std::size_t n) {
                                                    runs.push_back(digestOf(bytes, n * kSlot));
                                                });
    if (read != LedgerStatus::Ok) return std::nullopt;
    return ledgerRecordsDigest(runs);
}

}  // namespace

bool writeLedgerHeader(const LedgerStore& store, const AccountInfo& account,
                       std::string_view gbkPassword) {
    const auto checked = checkedPath(store, account);
    if (!checked) return false;
    const std::string& path = *checked;
    FolderLock lock(store.dataDirectory);
    if (lock.busy()) {
        store.messages.plain(kAnotherProgramWriting);
        return false;
    }
    FileReader file;
    switch (file.open(path, store.mode)) {
    case ReadStatus::Ok: break;
    case ReadStatus::TooLarge: store.messages.plain(damaged(path)); return false;
    case ReadStatus::Missing:
    case ReadStatus::CannotOpen:
        store.messages.plain(ledgerOpenFailure(path, file.error()));
        return false;
    }
    // The first 200 bytes are replaced; everything after them is kept as it is.
    return rewriteFrom(store, path, file, gbkPassword);
}

bool restoreLedger(const LedgerStore& store, const AccountInfo& account,
                   const std::string& versionPath) {
    const auto checked = checkedPath(store, account);
    if (!checked) return false;
    FolderLock lock(store.dataDirectory);
    if (lock.busy()) {
        store.messages.plain(kAnotherProgramWriting);
        return false;
    }
    FileReader version;
    FileReader tail;
    const auto kept = versionAt(versionPath);
    // A version of a file that changed since in place is the file's first bytes, as many as
    // are its own, and then the tail kept beside it, if any.
    if (kept ? !openVersion(*kept, version, tail)
             : version.open(versionPath, OpenMode::ReadOnly) != ReadStatus::Ok) {
        store.messages.plain(damaged(versionPath));
        return false;
    }
    // A version is restored only in the kind the account has now: a protected account takes
    // back a protected version under its present key (the same header, byte for byte); an
    // unprotected one takes back no protected version. Anything else would leave a ledger
    // the account cannot open.
    const bool protectedVersion = isProtectedLedger(version);
    if (protectedVersion != isProtected(account)) {
        store.messages.plain(
            protectedVersion ? "这个版本是加强保护的流水帐，帐户" + fieldText(account.name) +
                                   "现在没有加强保护，不能恢复到这个版本"
                             : "这个版本是加强保护之前的流水帐，帐户" + fieldText(account.name) +
                                   "现在有加强保护，不能恢复到这个版本");
        return false;
    }
    if (protectedVersion) {
        FileReader present;
        ProtectedHeader now{};
        ProtectedHeader then{};
        const bool sameKey = present.open(*checked, OpenMode::ReadOnly) == ReadStatus::Ok &&
                             isProtectedLedger(present) && present.size() >= now.size() &&
                             version.size() >= then.size() &&
                             present.readAt(0, now.data(), now.size()) &&
                             version.readAt(0, then.data(), then.size()) && now == then;
        if (!sameKey) {
            store.messages.plain("这个版本是用另一个密码加强保护的，帐户" +
                                 fieldText(account.name) + "不能恢复到这个版本");
            return false;
        }
        return rewriteFrom(store, *checked, version, std::nullopt, tail);
    }
    Bytes header(kSlot, 0);
    if (version.size() < kSlot || !version.readAt(0, header.data(), kSlot)) {
        store.messages.plain(damaged(versionPath));
        return false;
    }
    store.scrambler.decrypt(header.data(), kSlot);
    const std::string_view registered = fieldBytes(account.password);
    // Written under the password the account has now: restored byte for byte. Written under
    // an earlier one: its records under a header for today's password, so that the registry
    // and the ledger agree and the account opens with the password the user knows.
    const bool restored = headerPassword(header) == registered
                              ? rewriteFrom(store, *checked, version, std::nullopt)
                              : rewriteFrom(store, *checked, version, registered);
    // The restored records are now what this program last wrote, for verify.
    if (restored)
        recordLedgerDigest(store.dataDirectory, checked->substr(store.dataDirectory.size()),
                           recordsDigestOf(store, account, versionPath, version));
    return restored;
}

std::optional<std::string> ledgerHeaderPassword(const LedgerStore& store,
                                                const AccountInfo& account) {
    const std::string name = fieldText(account.name);
    if (!isPlainFileName(name)) return std::nullopt;
    FileReader file;
    if (file.open(ledgerPath(store.dataDirectory, account), OpenMode::ReadOnly) != ReadStatus::Ok)
        return std::nullopt;
    Bytes header(kSlot, 0);
    if (file.size() < kSlot || !file.readAt(0, header.data(), kSlot)) return std::nullopt;
    store.scrambler.decrypt(header.data(), kSlot);
    return std::string(headerPassword(header));
}

}  // namespace fiscora

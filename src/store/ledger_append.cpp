#include "store/ledger_append.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <ctime>
#include <optional>

#include "records/account_info.h"
#include "records/gbk_text.h"
#include "store/crash_point.h"
#include "store/file_backups.h"
#include "store/ledger_file.h"

namespace fiscora {
namespace {

// The ledger file an Append intent names, or nothing when the name cannot be one.
std::optional<std::string> intentLedgerPath(const std::string& dataDirectory,
                                            const ChangeIntent& intent) {
    AccountInfo account{};
    storeBytes(account.name, intent.account);
    if (!isPlainFileName(fieldText(account.name))) return std::nullopt;
    return ledgerPath(dataDirectory, account);
}

// Cuts the open file back to `length`, durably.
bool cutBack(int fd, off_t length) {
    return ::ftruncate(fd, length) == 0 && ::fsync(fd) == 0;
}

// A length or offset as the intent records it (decimal), or nothing.
std::optional<off_t> offsetIn(const std::string& text) {
    off_t value = 0;
    const auto [end, parsed] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || parsed != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

std::string tailPath(const std::string& dataDirectory) {
    return dataDirectory + kResealTailFileName;
}

// Removes the kept tail; false when it is still there.
bool removeTail(const std::string& dataDirectory) {
    return ::unlink(tailPath(dataDirectory).c_str()) == 0 || errno == ENOENT;
}

// Removes a tail left by an earlier change, durably before any intent can name this one, so
// that after a power cut no intent ever meets another change's tail. False when it is
// still there.
bool removeStaleTail(const std::string& dataDirectory) {
    if (::unlink(tailPath(dataDirectory).c_str()) != 0) return errno == ENOENT;
    syncFolder(dataDirectory);
    return true;
}

// Keeps the file's bytes from `resealFrom` to its end in the tail file, flushed to disk.
FileError keepTail(const InPlaceAppend& append) {
    FileReader ledger;
    if (ledger.open(append.path, OpenMode::ReadOnly) != ReadStatus::Ok) return ledger.error();
    const FileStamp& now = ledger.stamp();
    const auto from = static_cast<std::size_t>(*append.resealFrom);
    if (now.device != append.before.device || now.inode != append.before.inode ||
        now.size != append.before.size || from > ledger.size())
        return FileError::Other;
    // At most one chunk of a protected ledger.
    Bytes old(ledger.size() - from);
    if (!ledger.readAt(from, old.data(), old.size())) return FileError::Other;
    return replaceFile(tailPath(append.dataDirectory), old, 0600).error;
}

// Puts the kept tail back into the open ledger file at `from` and cuts the file to `length`,
// durably. Without a tail nothing is to be put back: none was written over yet, or all of it
// was and flushed. A tail of another length is no tail of this change: nothing is put back.
bool putTailBack(const std::string& dataDirectory, int fd, off_t from, off_t length) {
    FileReader tail;
    switch (tail.open(tailPath(dataDirectory), OpenMode::ReadOnly)) {
    case ReadStatus::Ok: break;
    case ReadStatus::Missing: return true;
    case ReadStatus::CannotOpen:
    case ReadStatus::TooLarge: return false;
    }
    if (static_cast<off_t>(tail.size()) != length - from) return true;
    Bytes old(tail.size());
    if (!tail.readAt(0, old.data(), old.size()) || ::lseek(fd, from, SEEK_SET) != from)
        return false;
    return ByteSink(fd).put(old.data(), old.size()) && cutBack(fd, length);
}

// Writes the records after the file's recorded length (or from where it is resealed) and
// flushes them. The reason of a failure, or FileError::None.
FileError writeInPlace(const InPlaceAppend& append, const ContentWriter& write) {
    const int fd = ::open(append.path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return fileErrorOf(errno);
    const off_t from = append.resealFrom.value_or(append.before.size);
    struct stat st {};
    // Still the file the caller checked, under the same lock: the same inode and length.
    if (::fstat(fd, &st) != 0 || st.st_dev != append.before.device ||
        st.st_ino != append.before.inode || st.st_size != append.before.size ||
        ::lseek(fd, from, SEEK_SET) != from) {
        ::close(fd);
        return FileError::Other;
    }
    const ByteSink sink(fd);
    int failure = write(sink) ? 0 : sink.failure() != 0 ? sink.failure() : EIO;
    crashPoint("ledger-appended");
    if (failure == 0 && ::fsync(fd) != 0) failure = errno;
    ::close(fd);
    return failure == 0 ? FileError::None : fileErrorOf(failure);
}

}  // namespace

FileError appendInPlace(const InPlaceAppend& append, const ContentWriter& write) {
    ChangeIntent intent;
    intent.kind = ChangeIntent::Kind::Append;
    intent.ledgerDevice = append.before.device;
    intent.ledgerInode = append.before.inode;
    intent.account = append.gbkAccount;
    intent.from = std::to_string(append.before.size);
    if (append.resealFrom) intent.to = std::to_string(*append.resealFrom);
    if (!removeStaleTail(append.dataDirectory)) return fileErrorOf(errno);
    FileError error = FileError::None;
    if (!writeIntent(append.dataDirectory, append.scrambler, intent, error)) return error;
    crashPoint("intent-written");
    std::optional<FileVersion> kept;
    if (append.resealFrom) {
        error = keepTail(append);
        crashPoint("tail-kept");
        if (error == FileError::None)
            kept = keepResealedVersionOf(append.path, std::time(nullptr),
                                         static_cast<std::uint64_t>(*append.resealFrom),
                                         tailPath(append.dataDirectory));
    } else {
        kept = keepVersionOf(append.path, std::time(nullptr), {}, VersionOf::GrowingFile);
    }
    if (error == FileError::None) error = writeInPlace(append, write);
    // The commit point: without the intent the append counts.
    if (error == FileError::None) {
        if (removeIntent(append.dataDirectory)) {
            removeTail(append.dataDirectory);
            return FileError::None;
        }
        error = FileError::Other;
    }
    // Undone as the next open would undo it; a file that could not be put back keeps its
    // intent, so that the next open does it.
    if (settleInterruptedAppend(append.dataDirectory, intent)) removeIntent(append.dataDirectory);
    if (kept) dropVersion(*kept);
    return error;
}

bool settleInterruptedAppend(const std::string& dataDirectory, const ChangeIntent& intent) {
    const auto path = intentLedgerPath(dataDirectory, intent);
    const auto length = offsetIn(intent.from);
    const auto resealFrom = offsetIn(intent.to);
    if (!path || !length || (!intent.to.empty() && (!resealFrom || *resealFrom > *length)))
        return true;  // nothing this program would have written: nothing to settle
    const int fd = ::open(path->c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT;
    struct stat st {};
    bool settled = ::fstat(fd, &st) == 0;
    // Only the file the append began on, and only what it added: another file of that name,
    // or one already shorter, is left as it is.
    if (settled && st.st_dev == intent.ledgerDevice && st.st_ino == intent.ledgerInode) {
        if (resealFrom)
            settled = putTailBack(dataDirectory, fd, *resealFrom, *length);
        else if (st.st_size > *length)
            settled = cutBack(fd, *length);
    }
    ::close(fd);
    // Once the file is settled its tail is of no more use.
    return settled && (!resealFrom || removeTail(dataDirectory));
}

}  // namespace fiscora

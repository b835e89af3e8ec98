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

// Writes the records after the file's recorded length and flushes them. The reason of a
// failure, or FileError::None.
FileError writeAfterEnd(const InPlaceAppend& append, const ContentWriter& write) {
    const int fd = ::open(append.path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return fileErrorOf(errno);
    struct stat st {};
    // Still the file the caller checked, under the same lock: the same inode and length.
    if (::fstat(fd, &st) != 0 || st.st_dev != append.before.device ||
        st.st_ino != append.before.inode || st.st_size != append.before.size ||
        ::lseek(fd, append.before.size, SEEK_SET) != append.before.size) {
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
    FileError error = FileError::None;
    if (!writeIntent(append.dataDirectory, append.scrambler, intent, error)) return error;
    crashPoint("intent-written");
    const auto kept = keepVersionOf(append.path, std::time(nullptr), {}, VersionOf::GrowingFile);
    error = writeAfterEnd(append, write);
    // The commit point: without the intent the append counts.
    if (error == FileError::None) {
        if (removeIntent(append.dataDirectory)) return FileError::None;
        error = FileError::Other;
    }
    // Undone as the next open would undo it; a file that could not be cut back keeps its
    // intent, so that the next open cuts it.
    if (settleInterruptedAppend(append.dataDirectory, intent)) removeIntent(append.dataDirectory);
    if (kept) dropVersion(*kept);
    return error;
}

bool settleInterruptedAppend(const std::string& dataDirectory, const ChangeIntent& intent) {
    const auto path = intentLedgerPath(dataDirectory, intent);
    off_t length = 0;
    const auto [end, parsed] =
        std::from_chars(intent.from.data(), intent.from.data() + intent.from.size(), length);
    if (!path || parsed != std::errc() || end != intent.from.data() + intent.from.size())
        return true;  // nothing this program would have written: nothing to settle
    const int fd = ::open(path->c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT;
    struct stat st {};
    bool settled = ::fstat(fd, &st) == 0;
    // Only the file the append began on, and only what it added: another file of that name,
    // or one already shorter, is left as it is.
    if (settled && st.st_dev == intent.ledgerDevice && st.st_ino == intent.ledgerInode &&
        st.st_size > length)
        settled = cutBack(fd, length);
    ::close(fd);
    return settled;
}

}  // namespace fiscora

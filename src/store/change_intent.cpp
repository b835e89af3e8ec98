#include "store/change_intent.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace fiscora {
namespace {

constexpr std::array<char, 8> kMagic{'F', 'S', 'I', 'N', 'T', 'E', 'N', 'T'};
constexpr std::size_t kTextBytes = 32;

#pragma pack(push, 1)
struct IntentLayout {
    char magic[8];
    std::uint64_t kind;
    std::uint64_t ledgerDevice;
    std::uint64_t ledgerInode;
    char account[kTextBytes];
    char from[kTextBytes];
    char to[kTextBytes];
};
#pragma pack(pop)
static_assert(sizeof(IntentLayout) % 8 == 0);

bool storeText(char (&field)[kTextBytes], const std::string& text) {
    if (text.size() >= kTextBytes || text.find('\0') != std::string::npos) return false;
    std::memcpy(field, text.data(), text.size());
    return true;
}

std::string loadText(const char (&field)[kTextBytes]) {
    return {field, ::strnlen(field, kTextBytes - 1)};
}

}  // namespace

std::string intentPath(const std::string& dataDirectory) {
    return dataDirectory + kIntentFileName;
}

bool writeIntent(const std::string& dataDirectory, const DataScrambler& scrambler,
                 const ChangeIntent& intent, FileError& error) {
    IntentLayout layout{};
    std::copy(kMagic.begin(), kMagic.end(), layout.magic);
    layout.kind = static_cast<std::uint64_t>(intent.kind);
    layout.ledgerDevice = intent.ledgerDevice;
    layout.ledgerInode = intent.ledgerInode;
    if (!storeText(layout.account, intent.account) || !storeText(layout.from, intent.from) ||
        !storeText(layout.to, intent.to)) {
        error = FileError::Other;
        return false;
    }
    Bytes bytes(sizeof layout);
    std::memcpy(bytes.data(), &layout, sizeof layout);
    scrambler.encrypt(bytes.data(), bytes.size());
    // Never wider than its owner alone may read: it may hold passwords.
    const WriteResult written = replaceFile(intentPath(dataDirectory), bytes, 0600);
    error = written.error;
    return static_cast<bool>(written);
}

std::optional<ChangeIntent> readIntent(const std::string& dataDirectory,
                                       const DataScrambler& scrambler) {
    ReadResult file = readWholeFile(intentPath(dataDirectory), OpenMode::ReadOnly, 4096);
    if (file.status != ReadStatus::Ok || file.bytes.size() != sizeof(IntentLayout))
        return std::nullopt;
    scrambler.decrypt(file.bytes.data(), file.bytes.size());
    IntentLayout layout{};
    std::memcpy(&layout, file.bytes.data(), sizeof layout);
    if (!std::equal(kMagic.begin(), kMagic.end(), layout.magic)) return std::nullopt;
    ChangeIntent intent;
    if (layout.kind < static_cast<std::uint64_t>(ChangeIntent::Kind::Rename) ||
        layout.kind > static_cast<std::uint64_t>(ChangeIntent::Kind::Append))
        return std::nullopt;
    intent.kind = static_cast<ChangeIntent::Kind>(layout.kind);
    intent.ledgerDevice = layout.ledgerDevice;
    intent.ledgerInode = layout.ledgerInode;
    intent.account = loadText(layout.account);
    intent.from = loadText(layout.from);
    intent.to = loadText(layout.to);
    return intent;
}

namespace {

std::string previousLedgerPath(const std::string& dataDirectory) {
    return dataDirectory + kPreviousLedgerFileName;
}

}  // namespace

void syncFolder(const std::string& dataDirectory) {
    const int dir =
        ::open(folderOf(intentPath(dataDirectory)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

bool removeIntent(const std::string& dataDirectory) {
    if (::unlink(intentPath(dataDirectory).c_str()) != 0 && errno != ENOENT) return false;
    syncFolder(dataDirectory);
    return true;
}

bool keepPreviousLedger(const std::string& dataDirectory, const std::string& ledgerPath,
                        FileError& error) {
    const std::string kept = previousLedgerPath(dataDirectory);
    // A name left by an earlier change that was settled is no file of the user's.
    if (::unlink(kept.c_str()) != 0 && errno != ENOENT) {
        error = fileErrorOf(errno);
        return false;
    }
    if (::link(ledgerPath.c_str(), kept.c_str()) != 0 && errno != ENOENT) {
        error = fileErrorOf(errno);
        return false;
    }
    syncFolder(dataDirectory);
    return true;
}

bool restorePreviousLedger(const std::string& dataDirectory, const std::string& ledgerPath) {
    const std::string kept = previousLedgerPath(dataDirectory);
    struct stat keptStat {};
    if (::lstat(kept.c_str(), &keptStat) != 0) return errno == ENOENT;
    struct stat present {};
    const bool same = ::lstat(ledgerPath.c_str(), &present) == 0 &&
                      present.st_dev == keptStat.st_dev && present.st_ino == keptStat.st_ino;
    if (same) {
        dropPreviousLedger(dataDirectory);
        return true;
    }
    if (::rename(kept.c_str(), ledgerPath.c_str()) != 0) return false;
    syncFolder(dataDirectory);
    return true;
}

void dropPreviousLedger(const std::string& dataDirectory) {
    if (::unlink(previousLedgerPath(dataDirectory).c_str()) == 0) syncFolder(dataDirectory);
}

}  // namespace fiscora

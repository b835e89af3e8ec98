#include "store/temporary_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <random>

#include "store/folder_lock.h"

namespace fiscora {
namespace {

std::string baseNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string randomSuffix() {
    static constexpr char kChars[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 rng{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(kChars) - 2);
    std::string suffix(6, 'x');
    for (char& c : suffix) c = kChars[pick(rng)];
    return suffix;
}

bool isOurTemporary(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix) || name.size() < kTemporaryPrefix.size() + 8)
        return false;
    const std::string_view suffix = name.substr(name.size() - 7);
    if (suffix[0] != '.') return false;
    for (const char c : suffix.substr(1))
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    return true;
}

}  // namespace

TemporaryFile::~TemporaryFile() {
    discard();
}

void TemporaryFile::discard() {
    if (fd_ < 0) return;
    ::unlink(path_.c_str());
    ::close(fd_);
    fd_ = -1;
}

FileError TemporaryFile::create(const std::string& target, mode_t widestNewMode) {
    discard();
    target_ = target;
    const std::string folder = folderOf(target);
    const std::string stem =
        folder + "/" + std::string(kTemporaryPrefix) + baseNameOf(target) + ".";
    // Created and locked under the folder's lock, so that a clean-up never finds it
    // between the two.
    FolderLock lock(folder);
    if (lock.busy()) return FileError::Busy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = stem + randomSuffix();
        // 0666: the kernel applies the umask.
        fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    if (fd_ < 0) return fileErrorOf(errno);
    struct stat created {};
    struct stat old {};
    mode_t mode = 0;
    if (::stat(target.c_str(), &old) == 0)
        mode = old.st_mode & 07777;
    else if (::fstat(fd_, &created) == 0)
        mode = created.st_mode & 0777 & widestNewMode;
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0 || ::fchmod(fd_, mode) != 0) {
        const int error = errno;
        discard();
        return fileErrorOf(error);
    }
    return FileError::None;
}

FileError TemporaryFile::commit() {
    if (fd_ < 0) return FileError::Other;
    int error = 0;
    if (::fsync(fd_) != 0 || ::rename(path_.c_str(), target_.c_str()) != 0) error = errno;
    if (error != 0) {
        discard();
        return fileErrorOf(error);
    }
    ::close(fd_);
    fd_ = -1;
    // Make the rename itself durable.
    const int dir = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return FileError::None;
}

void removeLeftoverTemporaries(const std::string& folder) {
    FolderLock lock(folder);
    if (lock.busy()) return;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* e = ::readdir(dir)) {
        if (!isOurTemporary(e->d_name)) continue;
        const int fd =
            ::openat(::dirfd(dir), e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        // A writer still at work holds its lock; a killed one's went with its process.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(::dirfd(dir), e->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

}  // namespace fiscora

#include "store/safe_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <new>
#include <utility>

#include "store/folder_lock.h"

namespace fiscora {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    bool close() { return ::close(release()) == 0; }

private:
    int fd_;
};

FileError errorOf(int error) {
    switch (error) {
    case 0: return FileError::None;
    case ENOENT: return FileError::Missing;
    case ELOOP:
    case EISDIR:
    case ENXIO:
    case ENODEV: return FileError::NotRegular;
    case ENOSPC:
    case EDQUOT: return FileError::DiskFull;
    case EROFS: return FileError::ReadOnly;
    case EACCES:
    case EPERM: return FileError::Permission;
    case EFBIG: return FileError::TooLarge;
    default: return FileError::Other;
    }
}

std::int64_t nanoseconds(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

FileStamp stampFrom(const struct stat& st) {
    return {
        true, st.st_dev, st.st_ino, st.st_size, nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
}

// Opens a data file without following a symbolic link and without waiting on a FIFO, and
// accepts it only when it is a regular file of at most `maxBytes`.
FileError openRegular(const std::string& path, OpenMode mode, std::size_t maxBytes, Fd& fd,
                      struct stat& st) {
    const int flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC |
                      (mode == OpenMode::CreateIfMissing ? (O_RDWR | O_CREAT) : O_RDONLY);
    fd.reset(::open(path.c_str(), flags, 0644));
    if (fd.get() < 0) return errorOf(errno);
    if (::fstat(fd.get(), &st) != 0) return errorOf(errno);
    if (!S_ISREG(st.st_mode)) return FileError::NotRegular;
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) return FileError::TooLarge;
    return FileError::None;
}

ReadStatus statusOf(FileError error, OpenMode mode) {
    switch (error) {
    case FileError::None: return ReadStatus::Ok;
    case FileError::Missing:
        return mode == OpenMode::ReadOnly ? ReadStatus::Missing : ReadStatus::CannotOpen;
    case FileError::TooLarge: return ReadStatus::TooLarge;
    default: return ReadStatus::CannotOpen;
    }
}

bool writeAll(int fd, const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string baseNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// mkostemp's six characters are letters and digits.
bool isTemporaryOf(std::string_view entry, const std::string& base) {
    if (entry.size() != base.size() + 7 || !entry.starts_with(base) || entry[base.size()] != '.')
        return false;
    for (const char c : entry.substr(base.size() + 1))
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    return true;
}

// Removes the temporaries a killed rewrite of `path` left behind. Called under the
// folder's lock, when no other writer can be busy with one.
void removeStaleTemporaries(const std::string& path) {
    const std::string folder = folderOf(path);
    const std::string base = baseNameOf(path);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* e = ::readdir(dir)) {
        if (!isTemporaryOf(e->d_name, base)) continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode))
            ::unlinkat(::dirfd(dir), e->d_name, 0);
    }
    ::closedir(dir);
}

}  // namespace

std::string failureReason(FileError error) {
    const char* reason = nullptr;
    switch (error) {
    case FileError::NotRegular: reason = "不是普通文件"; break;
    case FileError::TooLarge: reason = "文件过大"; break;
    case FileError::DiskFull: reason = "磁盘已满"; break;
    case FileError::ReadOnly: reason = "文件系统只读"; break;
    case FileError::Permission: reason = "没有访问权限"; break;
    case FileError::None:
    case FileError::Missing:
    case FileError::Other: return {};
    }
    return std::string("（原因：") + reason + "）";
}

FileStamp stampOf(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return {};
    return stampFrom(st);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

FileReader::~FileReader() {
    if (fd_ >= 0) ::close(fd_);
}

ReadStatus FileReader::open(const std::string& path, OpenMode mode, std::size_t maxBytes) {
    Fd fd(-1);
    struct stat st {};
    error_ = openRegular(path, mode, maxBytes, fd, st);
    if (error_ != FileError::None) return statusOf(error_, mode);
    fd_ = fd.release();
    size_ = static_cast<std::size_t>(st.st_size);
    stamp_ = stampFrom(st);
    return ReadStatus::Ok;
}

bool FileReader::readAt(std::size_t offset, void* buffer, std::size_t length) const {
    auto* out = static_cast<unsigned char*>(buffer);
    while (length > 0) {
        const ssize_t n = ::pread(fd_, out, length, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        out += n;
        offset += static_cast<std::size_t>(n);
        length -= static_cast<std::size_t>(n);
    }
    return true;
}

ReadResult readWholeFile(const std::string& path, OpenMode mode, std::size_t maxBytes) {
    ReadResult result;
    FileReader file;
    result.status = file.open(path, mode, maxBytes);
    result.error = file.error();
    if (result.status != ReadStatus::Ok) return result;
    try {
        result.bytes.resize(file.size());
    } catch (const std::bad_alloc&) {
        result.status = ReadStatus::TooLarge;
        result.error = FileError::TooLarge;
        return result;
    }
    // A file that shrank meanwhile reads short and fails like any other read error.
    if (!file.readAt(0, result.bytes.data(), result.bytes.size())) {
        result.bytes.clear();
        result.status = ReadStatus::CannotOpen;
        result.error = FileError::Other;
        return result;
    }
    result.stamp = file.stamp();
    return result;
}

WriteResult replaceFileWith(const std::string& path, const ContentWriter& write) {
    WriteResult result;
    FolderLock lock(folderOf(path));
    removeStaleTemporaries(path);
    std::string temp = path + ".XXXXXX";
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        result.error = errorOf(errno);
        return result;
    }
    // Keep the old file's permissions, or the usual ones for a new file.
    struct stat st {};
    const mode_t perms = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    int failure = 0;
    const ByteSink put = [&](const void* data, std::size_t size) {
        if (writeAll(fd.get(), data, size)) return true;
        failure = errno;
        return false;
    };
    bool written = ::fchmod(fd.get(), perms) == 0 && write(put);
    if (written && ::fsync(fd.get()) != 0) written = false;
    if (!written && failure == 0) failure = errno;
    if (!fd.close() && written) {
        written = false;
        failure = errno;
    }
    if (written && ::rename(temp.c_str(), path.c_str()) != 0) {
        written = false;
        failure = errno;
    }
    if (!written) {
        ::unlink(temp.c_str());
        result.error = failure == 0 ? FileError::Other : errorOf(failure);
        return result;
    }
    // Make the rename itself durable.
    Fd dir(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
    result.error = FileError::None;
    result.stamp = stampOf(path);
    return result;
}

WriteResult replaceFile(const std::string& path, const Bytes& bytes) {
    return replaceFileWith(path,
                           [&](const ByteSink& put) { return put(bytes.data(), bytes.size()); });
}

}  // namespace fiscora

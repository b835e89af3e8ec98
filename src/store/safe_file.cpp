#include "store/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <new>
#include <utility>

#include "store/crash_point.h"
#include "store/file_backups.h"
#include "store/folder_lock.h"
#include "store/temporary_file.h"

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

}  // namespace

FileError fileErrorOf(int error) {
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

namespace {

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
    if (fd.get() < 0) return fileErrorOf(errno);
    if (::fstat(fd.get(), &st) != 0) return fileErrorOf(errno);
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

}  // namespace

std::string failureReason(FileError error) {
    const char* reason = nullptr;
    switch (error) {
    case FileError::NotRegular: reason = "不是普通文件"; break;
    case FileError::TooLarge: reason = "文件过大"; break;
    case FileError::DiskFull: reason = "磁盘已满"; break;
    case FileError::ReadOnly: reason = "文件系统只读"; break;
    case FileError::Permission: reason = "没有访问权限"; break;
    case FileError::Busy: reason = "另一个程序正在写入数据"; break;
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

bool ByteSink::put(const void* data, std::size_t size) const {
    if (failure_ != 0) return false;
    if (writeAll(fd_, data, size)) return true;
    failure_ = errno;
    return false;
}

bool ByteSink::copyFrom(const FileReader& file, std::size_t offset, std::size_t length) const {
    const off_t start = ::lseek(fd_, 0, SEEK_CUR);
    if (start < 0) return false;
    auto from = static_cast<off_t>(offset);
    while (length > 0) {
        const ssize_t n = ::copy_file_range(file.fd_, &from, fd_, nullptr, length, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // Whatever was copied goes again, so that the caller can put the bytes instead.
            if (::ftruncate(fd_, start) != 0 || ::lseek(fd_, start, SEEK_SET) != start)
                failure_ = errno;
            return false;
        }
        length -= static_cast<std::size_t>(n);
    }
    return true;
}

WriteResult replaceFileWith(const std::string& path, const ContentWriter& write,
                            mode_t widestNewMode, KeepVersion keep) {
    WriteResult result;
    FolderLock lock(folderOf(path));
    if (lock.busy()) {
        result.error = FileError::Busy;
        return result;
    }
    removeLeftoverTemporaries(folderOf(path));
    TemporaryFile temp;
    if (const FileError created = temp.create(path, widestNewMode); created != FileError::None) {
        result.error = created;
        return result;
    }
    const ByteSink sink(temp.fd());
    if (!write(sink)) {
        const int failure = sink.failure() != 0 ? sink.failure() : errno;
        result.error = failure == 0 ? FileError::Other : fileErrorOf(failure);
        return result;
    }
    crashPoint("temporary-written");
    std::optional<FileVersion> kept;
    if (keep == KeepVersion::Yes) kept = keepVersionOf(path, std::time(nullptr));
    result.error = temp.commit();
    if (result.error == FileError::None)
        result.stamp = stampOf(path);
    else if (kept)
        dropVersion(*kept);
    return result;
}

WriteResult replaceFile(const std::string& path, const Bytes& bytes, mode_t widestNewMode,
                        KeepVersion keep) {
    return replaceFileWith(
        path, [&](const ByteSink& sink) { return sink.put(bytes.data(), bytes.size()); },
        widestNewMode, keep);
}

}  // namespace fiscora

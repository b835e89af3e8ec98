#include "store/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, const unsigned char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

FileReader::~FileReader() {
    if (fd_ >= 0) ::close(fd_);
}

ReadStatus FileReader::open(const std::string& path, OpenMode mode) {
    const int flags =
        mode == OpenMode::CreateIfMissing ? (O_RDWR | O_CREAT | O_CLOEXEC) : (O_RDONLY | O_CLOEXEC);
    fd_ = ::open(path.c_str(), flags, 0644);
    if (fd_ < 0)
        return (mode == OpenMode::ReadOnly && errno == ENOENT) ? ReadStatus::Missing
                                                               : ReadStatus::CannotOpen;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return ReadStatus::CannotOpen;
    size_ = static_cast<std::size_t>(st.st_size);
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

ReadResult readWholeFile(const std::string& path, OpenMode mode) {
    ReadResult result;
    const int flags =
        mode == OpenMode::CreateIfMissing ? (O_RDWR | O_CREAT | O_CLOEXEC) : (O_RDONLY | O_CLOEXEC);
    Fd fd(::open(path.c_str(), flags, 0644));
    if (fd.get() < 0) {
        result.status = (mode == OpenMode::ReadOnly && errno == ENOENT) ? ReadStatus::Missing
                                                                        : ReadStatus::CannotOpen;
        return result;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return result;
    // Read straight into a buffer of the file's size; a file that grows meanwhile is read
    // to its end all the same.
    result.bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t filled = 0;
    for (;;) {
        if (filled == result.bytes.size()) result.bytes.resize(filled + 65536);
        const ssize_t n =
            ::read(fd.get(), result.bytes.data() + filled, result.bytes.size() - filled);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.bytes.clear();
            return result;
        }
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
    }
    result.bytes.resize(filled);
    result.status = ReadStatus::Ok;
    return result;
}

bool replaceFile(const std::string& path, const Bytes& bytes) {
    std::string temp = path + ".XXXXXX";
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) return false;
    // Keep the old file's permissions, or the usual ones for a new file.
    struct stat st {};
    const mode_t perms = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    const bool written = ::fchmod(fd.get(), perms) == 0 &&
                         writeAll(fd.get(), bytes.data(), bytes.size()) && ::fsync(fd.get()) == 0;
    if (!fd.close() || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable.
    Fd dir(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
    return true;
}

}  // namespace fiscora

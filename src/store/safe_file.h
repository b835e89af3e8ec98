#pragma once

#include <sys/types.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fiscora {

using Bytes = std::vector<unsigned char>;

// How a data file is opened for reading. The window opens every file create-if-missing
// (and so for writing too, as its files are rewritten); the command line only reads and
// never creates anything.
enum class OpenMode { CreateIfMissing, ReadOnly };

enum class ReadStatus { Ok, Missing, CannotOpen, TooLarge };

// Why a file could not be read or written, as far as the user can act on it.
// Busy: another program held the folder's lock for longer than a writer waits.
enum class FileError {
    None,
    Missing,
    NotRegular,
    TooLarge,
    DiskFull,
    ReadOnly,
    Permission,
    Busy,
    Other
};

// The FileError of a system error number.
FileError fileErrorOf(int error);

// The reason appended to a failure message ("（原因：磁盘已满）"), empty when there is
// nothing the user could act on.
std::string failureReason(FileError error);

// No data file is larger than a signed 32-bit file length: the format's files never were.
inline constexpr std::size_t kMaxDataFileBytes = 0x7FFFFFFF;

// What identifies the file's contents as read: another program that rewrites it (always
// by renaming a new file over it) changes the identity, one that writes in place changes
// the size or the times.
struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of what is at `path` now (a missing file gives exists = false).
FileStamp stampOf(const std::string& path);

struct ReadResult {
    ReadStatus status = ReadStatus::CannotOpen;
    FileError error = FileError::Other;
    Bytes bytes;
    FileStamp stamp;
};

// An open file read piece by piece, for callers that place the bytes themselves.
class FileReader {
public:
    FileReader() = default;
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Opens like readWholeFile, without reading.
    ReadStatus open(const std::string& path, OpenMode mode,
                    std::size_t maxBytes = kMaxDataFileBytes);
    std::size_t size() const { return size_; }
    // Reads on as if the file ended after its first `bytes`: a kept version of a file that
    // grew since.
    void keepFirst(std::size_t bytes) { size_ = std::min(size_, bytes); }
    FileError error() const { return error_; }
    const FileStamp& stamp() const { return stamp_; }
    // Exactly `length` bytes from `offset`, or false.
    bool readAt(std::size_t offset, void* buffer, std::size_t length) const;

private:
    friend class ByteSink;
    int fd_ = -1;
    std::size_t size_ = 0;
    FileError error_ = FileError::None;
    FileStamp stamp_;
};

// The whole file. Only a regular file is read (a symbolic link, a FIFO or a device is
// refused without waiting on it), and only up to `maxBytes` (TooLarge beyond). With
// CreateIfMissing a missing file is created empty and the file must be writable, as the
// window's files are opened for reading and writing.
ReadResult readWholeFile(const std::string& path, OpenMode mode,
                         std::size_t maxBytes = kMaxDataFileBytes);

// The outcome of a rewrite: true when written, with the new file's stamp.
struct WriteResult {
    FileError error = FileError::Other;
    FileStamp stamp;
    explicit operator bool() const { return error == FileError::None; }
};

// Takes the new contents piece by piece; false from `put` means the write failed.
class ByteSink {
public:
    explicit ByteSink(int fd) : fd_(fd) {}
    bool put(const void* data, std::size_t size) const;
    // Copies `length` bytes of `file` from `offset` inside the kernel, without passing them
    // through this process. False, with none of them kept, when the system cannot copy
    // them so: the caller then puts them itself.
    bool copyFrom(const FileReader& file, std::size_t offset, std::size_t length) const;
    // The errno of the write that failed, 0 when none did. After a failure every `put`
    // fails.
    int failure() const { return failure_; }

private:
    int fd_;
    mutable int failure_ = 0;
};
using ContentWriter = std::function<bool(const ByteSink& sink)>;

// Whether a rewrite keeps the file's previous bytes as a version (store/file_backups.h): the
// data files do, exports and the intent record do not.
enum class KeepVersion { No, Yes };

// Replaces the file's contents so that at any instant the file holds either the old or
// the new bytes: a temporary file in the same folder is written, flushed to disk and
// renamed over the old one, all under the folder's lock. Temporaries left in the folder
// by a killed writer are removed first. On any failure the old file is untouched. A new
// file gets the umask's permissions, never wider than `widestNewMode`; an old one keeps
// its own. With KeepVersion::Yes the old file is kept as a version just before the rename;
// a version that cannot be kept does not stop the write (the user's change matters more
// than its undo), and a write that fails keeps no version.
WriteResult replaceFileWith(const std::string& path, const ContentWriter& write,
                            mode_t widestNewMode = 0666, KeepVersion keep = KeepVersion::No);
WriteResult replaceFile(const std::string& path, const Bytes& bytes, mode_t widestNewMode = 0666,
                        KeepVersion keep = KeepVersion::No);

// The folder part of a path ("." for a bare name).
std::string folderOf(const std::string& path);

}  // namespace fiscora

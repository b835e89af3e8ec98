#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fiscora {

using Bytes = std::vector<unsigned char>;

// How a data file is opened for reading. The window opens every file create-if-missing
// (and so for writing too, as its files are rewritten); the command line only reads and
// never creates anything.
enum class OpenMode { CreateIfMissing, ReadOnly };

enum class ReadStatus { Ok, Missing, CannotOpen };

struct ReadResult {
    ReadStatus status = ReadStatus::CannotOpen;
    Bytes bytes;
};

// An open file read piece by piece, for callers that place the bytes themselves.
class FileReader {
public:
    FileReader() = default;
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Opens like readWholeFile; only regular files count as opened.
    ReadStatus open(const std::string& path, OpenMode mode);
    std::size_t size() const { return size_; }
    // Exactly `length` bytes from `offset`, or false.
    bool readAt(std::size_t offset, void* buffer, std::size_t length) const;

private:
    int fd_ = -1;
    std::size_t size_ = 0;
};

// The whole file. With CreateIfMissing a missing file is created empty and the file
// must be writable, as the window's files are opened for reading and writing.
ReadResult readWholeFile(const std::string& path, OpenMode mode);

// Replaces the file's contents with `bytes` so that at any instant the file holds either
// the old or the new bytes: a temporary file in the same folder is written, flushed to
// disk and renamed over the old one. False on any failure, the old file then untouched.
bool replaceFile(const std::string& path, const Bytes& bytes);

}  // namespace fiscora

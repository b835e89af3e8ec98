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

// The whole file. With CreateIfMissing a missing file is created empty and the file
// must be writable, as the window's files are opened for reading and writing.
ReadResult readWholeFile(const std::string& path, OpenMode mode);

// Replaces the file's contents with `bytes` so that at any instant the file holds either
// the old or the new bytes: a temporary file in the same folder is written, flushed to
// disk and renamed over the old one. False on any failure, the old file then untouched.
bool replaceFile(const std::string& path, const Bytes& bytes);

}  // namespace fiscora

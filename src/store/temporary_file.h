#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

#include "store/safe_file.h"

namespace fiscora {

// Every temporary this program writes is named ".fiscora-tmp-" + the target's name + "." +
// six letters or digits, in the target's folder, so that no file of the user's can ever
// be taken for one.
inline constexpr std::string_view kTemporaryPrefix = ".fiscora-tmp-";

// A new file beside its target that becomes the target in one rename. While the object
// lives the file carries an exclusive flock, which tells any clean-up that its writer is
// still at work; a killed writer's lock goes with its process.
class TemporaryFile {
public:
    TemporaryFile() = default;
    ~TemporaryFile();  // removes the file unless it was committed
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Creates the file. It gets the target's permissions when the target exists, else the
    // umask's, never wider than `widestNewMode`.
    FileError create(const std::string& target, mode_t widestNewMode = 0666);
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }

    // Flushes the file to disk and renames it over the target, then flushes the folder.
    // On failure the file is removed and the target untouched.
    FileError commit();

private:
    void discard();

    int fd_ = -1;
    std::string path_;
    std::string target_;
};

// Removes the temporaries in `folder` whose writer is gone (no lock held on them): those
// of a killed rewrite, of a file renamed since, of an export never finished.
void removeLeftoverTemporaries(const std::string& folder);

}  // namespace fiscora

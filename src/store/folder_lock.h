#pragma once

#include <string>

namespace fiscora {

// An exclusive advisory lock (flock) on a folder, held for the object's lifetime. Every
// read-modify-write of a data file holds the lock of the file's folder, so two programs
// never interleave their changes. The kernel releases it when the process ends, even on
// a crash, so it never goes stale. Nested locks of the same folder within one process
// share the first one's lock. A folder that cannot be opened is not locked.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    struct Held;  // the process's hold on one folder

private:
    Held* held_ = nullptr;
};

}  // namespace fiscora

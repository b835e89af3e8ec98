#pragma once

#include <chrono>
#include <string>

namespace fiscora {

// An exclusive advisory lock (flock) on a folder, held for the object's lifetime. Every
// read-modify-write of a data file holds the lock of the file's folder, so two programs
// never interleave their changes. The kernel releases it when the process ends, even on
// a crash, so it never goes stale. Nested locks of the same folder within one process
// share the first one's lock. A folder that cannot be opened is not locked.
//
// A lock that another program holds is waited for at most `wait`; then the object is
// busy() and holds nothing, and the caller says that another program is writing instead
// of hanging behind it.
class FolderLock {
public:
    static constexpr std::chrono::milliseconds kWait{3000};

    explicit FolderLock(const std::string& folder, std::chrono::milliseconds wait = kWait);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // True when another program held the lock for the whole wait.
    bool busy() const { return busy_; }

    struct Held;  // the process's hold on one folder

private:
    Held* held_ = nullptr;
    bool busy_ = false;
};

// The message shown when a writer gave up waiting for another program's lock.
inline constexpr const char* kAnotherProgramWriting = "另一个程序正在写入数据，请稍后再试。";

}  // namespace fiscora

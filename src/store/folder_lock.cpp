#include "store/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace fiscora {

namespace {
using FolderId = std::pair<dev_t, ino_t>;
}  // namespace

struct FolderLock::Held {
    FolderId id;
    int fd = -1;
    int depth = 0;
};

namespace {

// The folders this process holds locked; a second flock on another descriptor of the
// same folder would wait for the first forever.
std::mutex heldMutex;
std::map<FolderId, std::unique_ptr<FolderLock::Held>>& heldFolders() {
    static std::map<FolderId, std::unique_ptr<FolderLock::Held>> folders;
    return folders;
}

}  // namespace

namespace {

// Takes the lock, polling while another program holds it, for at most `wait`. 0, or the
// error of the last try (EWOULDBLOCK: still held by another program).
int lockWithin(int fd, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return 0;
        const int error = errno;
        if (error == EINTR) continue;
        if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) return error;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace

FolderLock::FolderLock(const std::string& folder, std::chrono::milliseconds wait) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return;
    }
    const FolderId id{st.st_dev, st.st_ino};
    std::lock_guard guard(heldMutex);
    auto& folders = heldFolders();
    if (auto it = folders.find(id); it != folders.end()) {
        ::close(fd);
        held_ = it->second.get();
        ++held_->depth;
        return;
    }
    if (const int error = lockWithin(fd, wait); error != 0) {
        busy_ = error == EWOULDBLOCK;
        ::close(fd);
        return;
    }
    auto held = std::make_unique<Held>(Held{id, fd, 1});
    held_ = held.get();
    folders.emplace(id, std::move(held));
}

FolderLock::~FolderLock() {
    if (held_ == nullptr) return;
    std::lock_guard guard(heldMutex);
    if (--held_->depth > 0) return;
    ::close(held_->fd);  // closing the last descriptor releases the lock
    heldFolders().erase(held_->id);
}

}  // namespace fiscora

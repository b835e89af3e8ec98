#include "store/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <memory>
#include <mutex>
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

FolderLock::FolderLock(const std::string& folder) {
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
    int r = 0;
    while ((r = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (r != 0) {
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

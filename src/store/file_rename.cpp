#include "store/file_rename.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace fiscora {
namespace {

RenameStatus failure(int error, std::string& reason) {
    reason = std::strerror(error);
    if (error == ENOENT) return RenameStatus::SourceMissing;
    if (error == EEXIST) return RenameStatus::TargetExists;
    return RenameStatus::Failed;
}

}  // namespace

RenameStatus renameWithoutReplacing(const std::string& from, const std::string& to,
                                    std::string& reason) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return RenameStatus::Done;
    if (errno != EINVAL && errno != ENOSYS) return failure(errno, reason);
    // A file system without the one-step rename: a hard link cannot replace either.
    if (::link(from.c_str(), to.c_str()) != 0) return failure(errno, reason);
    if (::unlink(from.c_str()) != 0) {
        const int error = errno;
        ::unlink(to.c_str());
        return failure(error, reason);
    }
    return RenameStatus::Done;
}

}  // namespace fiscora

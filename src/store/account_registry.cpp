#include "store/account_registry.h"

#include <cstring>
#include <new>

namespace fiscora {

std::string registryPath(const std::string& dataDirectory) {
    return dataDirectory + kRegistryFileName;
}

AccountList loadRegistry(const std::string& dataDirectory, const DataScrambler& scrambler,
                         Messages& messages, OpenMode mode, FileStamp* stamp) {
    ReadResult file = readWholeFile(registryPath(dataDirectory), mode);
    // A file that could not be read is described as it is, so that only another
    // program's change counts as one.
    if (stamp != nullptr)
        *stamp = file.status == ReadStatus::Ok ? file.stamp : stampOf(registryPath(dataDirectory));
    if (file.status == ReadStatus::CannotOpen || file.status == ReadStatus::TooLarge) {
        messages.error("不能打开文件pinfo.dat读取相关数据!" + failureReason(file.error));
        return {};
    }
    const std::size_t n = file.bytes.size() / sizeof(AccountInfo);
    file.bytes.resize(n * sizeof(AccountInfo));
    scrambler.decrypt(file.bytes.data(), file.bytes.size());
    const auto* first = reinterpret_cast<const AccountInfo*>(file.bytes.data());
    try {
        return AccountList(first, first + n);
    } catch (const std::bad_alloc&) {
        messages.error("不能打开文件pinfo.dat读取相关数据!" + failureReason(FileError::TooLarge));
        return {};
    }
}

bool saveRegistry(const std::string& dataDirectory, const AccountList& accounts,
                  const DataScrambler& scrambler, Messages& messages, FileStamp* stamp) {
    Bytes bytes(accounts.size() * sizeof(AccountInfo));
    if (!bytes.empty()) std::memcpy(bytes.data(), accounts.data(), bytes.size());
    scrambler.encrypt(bytes.data(), bytes.size());
    const WriteResult written = replaceFile(registryPath(dataDirectory), bytes);
    if (!written) {
        messages.error("不能打开文件pinfo.dat!无法将基本资料存盘." + failureReason(written.error));
        return false;
    }
    if (stamp != nullptr) *stamp = written.stamp;
    return true;
}

}  // namespace fiscora

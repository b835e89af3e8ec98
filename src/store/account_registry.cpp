#include "store/account_registry.h"

#include <cstring>
#include <new>

#include "store/parallel_decipher.h"

namespace fiscora {

std::string registryPath(const std::string& dataDirectory) {
    return dataDirectory + kRegistryFileName;
}

AccountList loadRegistry(const std::string& dataDirectory, const DataScrambler& scrambler,
                         Messages& messages, OpenMode mode, FileStamp* stamp) {
    const std::string path = registryPath(dataDirectory);
    FileReader file;
    const ReadStatus status = file.open(path, mode);
    // A file that could not be read is described as it is, so that only another
    // program's change counts as one.
    if (stamp != nullptr) *stamp = status == ReadStatus::Ok ? file.stamp() : stampOf(path);
    const auto refuse = [&](FileError error) {
        messages.error("不能打开文件pinfo.dat读取相关数据!" + failureReason(error));
        return AccountList();
    };
    if (status == ReadStatus::CannotOpen || status == ReadStatus::TooLarge)
        return refuse(file.error());
    if (status != ReadStatus::Ok) return {};
    // Read and deciphered in place on every core, straight into the list: no second copy of
    // the file.
    const std::size_t n = file.size() / sizeof(AccountInfo);
    AccountList accounts;
    try {
        accounts.resize(n);
    } catch (const std::bad_alloc&) {
        return refuse(FileError::TooLarge);
    }
    const std::size_t bytes = n * sizeof(AccountInfo);
    if (!file.readAt(0, accounts.data(), bytes)) return refuse(FileError::Other);
    decipherOnAllCores(scrambler, accounts.data(), bytes);
    return accounts;
}

bool saveRegistry(const std::string& dataDirectory, const AccountList& accounts,
                  const DataScrambler& scrambler, Messages& messages, FileStamp* stamp) {
    Bytes bytes(accounts.size() * sizeof(AccountInfo));
    if (!bytes.empty()) std::memcpy(bytes.data(), accounts.data(), bytes.size());
    scrambler.encrypt(bytes.data(), bytes.size());
    const WriteResult written =
        replaceFile(registryPath(dataDirectory), bytes, 0666, KeepVersion::Yes);
    if (!written) {
        messages.error("不能打开文件pinfo.dat!无法将基本资料存盘." + failureReason(written.error));
        return false;
    }
    if (stamp != nullptr) *stamp = written.stamp;
    return true;
}

}  // namespace fiscora

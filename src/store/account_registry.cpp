#include "store/account_registry.h"

#include <cstring>

namespace fiscora {

std::string registryPath(const std::string& dataDirectory) {
    return dataDirectory + kRegistryFileName;
}

AccountList loadRegistry(const std::string& dataDirectory, const DataScrambler& scrambler,
                         Messages& messages, OpenMode mode) {
    ReadResult file = readWholeFile(registryPath(dataDirectory), mode);
    if (file.status == ReadStatus::CannotOpen) {
        messages.error("不能打开文件pinfo.dat读取相关数据!");
        return {};
    }
    const std::size_t n = file.bytes.size() / sizeof(AccountInfo);
    file.bytes.resize(n * sizeof(AccountInfo));
    scrambler.decrypt(file.bytes.data(), file.bytes.size());
    AccountList accounts(n);
    if (n > 0)
        std::memcpy(static_cast<void*>(accounts.data()), file.bytes.data(), file.bytes.size());
    return accounts;
}

bool saveRegistry(const std::string& dataDirectory, const AccountList& accounts,
                  const DataScrambler& scrambler, Messages& messages) {
    Bytes bytes(accounts.size() * sizeof(AccountInfo));
    if (!bytes.empty()) std::memcpy(bytes.data(), accounts.data(), bytes.size());
    scrambler.encrypt(bytes.data(), bytes.size());
    if (!replaceFile(registryPath(dataDirectory), bytes)) {
        messages.error("不能打开文件pinfo.dat!无法将基本资料存盘.");
        return false;
    }
    return true;
}

}  // namespace fiscora

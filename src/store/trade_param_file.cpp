#include "store/trade_param_file.h"

#include <cstring>
#include <new>

#include "host/module_state.h"

namespace fiscora {

std::optional<std::string> tradeParamPath(Messages& messages) {
    auto cwd = currentDirectory();
    if (!cwd) {
        messages.plain("找不到当前路径！");
        return std::nullopt;
    }
    return *cwd + kTradeParamFileName;
}

bool loadTradeParams(const std::string& path, TradeParamTable& table, Messages& messages,
                     OpenMode mode, FileStamp* stamp) {
    ReadResult file = readWholeFile(path, mode);
    if (file.status == ReadStatus::CannotOpen || file.status == ReadStatus::TooLarge) {
        messages.error("不能打开文件trdpara.dat读取交易参数数据!" + failureReason(file.error));
        return false;
    }
    const std::size_t n = file.bytes.size() / sizeof(TradeParam);
    const auto* first = reinterpret_cast<const TradeParam*>(file.bytes.data());
    try {
        table.assign(first, first + n);
    } catch (const std::bad_alloc&) {
        messages.error("不能打开文件trdpara.dat读取交易参数数据!" +
                       failureReason(FileError::TooLarge));
        return false;
    }
    if (stamp != nullptr) *stamp = file.stamp;
    return true;
}

bool saveTradeParams(const std::string& path, const TradeParamTable& table, Messages& messages,
                     FileStamp* stamp) {
    Bytes bytes(table.size() * sizeof(TradeParam));
    if (!bytes.empty()) std::memcpy(bytes.data(), table.data(), bytes.size());
    const WriteResult written = replaceFile(path, bytes, 0666, KeepVersion::Yes);
    if (!written) {
        messages.error("不能打开文件trdpara.dat读取相关数据!" + failureReason(written.error));
        return false;
    }
    if (stamp != nullptr) *stamp = written.stamp;
    return true;
}

}  // namespace fiscora

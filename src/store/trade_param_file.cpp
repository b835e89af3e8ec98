#include "store/trade_param_file.h"

#include <cstring>

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
                     OpenMode mode) {
    ReadResult file = readWholeFile(path, mode);
    if (file.status == ReadStatus::CannotOpen) {
        messages.error("不能打开文件trdpara.dat读取交易参数数据!");
        return false;
    }
    const std::size_t n = file.bytes.size() / sizeof(TradeParam);
    table.resize(n);
    if (n > 0)
        std::memcpy(static_cast<void*>(table.data()), file.bytes.data(), n * sizeof(TradeParam));
    return true;
}

bool saveTradeParams(const std::string& path, const TradeParamTable& table, Messages& messages) {
    Bytes bytes(table.size() * sizeof(TradeParam));
    if (!bytes.empty()) std::memcpy(bytes.data(), table.data(), bytes.size());
    if (!replaceFile(path, bytes)) {
        messages.error("不能打开文件trdpara.dat读取相关数据!");
        return false;
    }
    return true;
}

}  // namespace fiscora

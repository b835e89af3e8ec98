#pragma once

#include <optional>
#include <string>

#include "host/messages.h"
#include "records/trade_param.h"
#include "store/safe_file.h"

namespace fiscora {

// "trdpara.dat" in the current directory: N plain TradeParam rows of 79 bytes back to
// back, in table order, N = length / 79 (trailing bytes ignored).
inline constexpr const char* kTradeParamFileName = "trdpara.dat";

// The file's path in the current directory; reports "找不到当前路径！" when that cannot
// be read.
std::optional<std::string> tradeParamPath(Messages& messages);

// Replaces `table` with the file's rows, and `stamp` (when given) with the stamp of the
// file read. A failure is reported and leaves both as they were.
bool loadTradeParams(const std::string& path, TradeParamTable& table, Messages& messages,
                     OpenMode mode = OpenMode::CreateIfMissing, FileStamp* stamp = nullptr);

// Rewrites the file from the table; `stamp` (when given) becomes the new file's. A failure
// is reported; the table keeps the change.
bool saveTradeParams(const std::string& path, const TradeParamTable& table, Messages& messages,
                     FileStamp* stamp = nullptr);

}  // namespace fiscora

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

// Replaces `table` with the file's rows. A failure is reported and leaves the table as
// it was.
bool loadTradeParams(const std::string& path, TradeParamTable& table, Messages& messages,
                     OpenMode mode = OpenMode::CreateIfMissing);

// Rewrites the file from the table. A failure is reported; the table keeps the change.
bool saveTradeParams(const std::string& path, const TradeParamTable& table, Messages& messages);

}  // namespace fiscora

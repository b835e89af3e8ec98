#pragma once

#include <cstdint>
#include <string>

#include "engine/workspace.h"

namespace fiscora {

// The seven figures 交易明细 shows for one stock: its position over the whole ledger at the
// host's latest price. Money is in the account's currency.
struct TradeDetailFigures {
    std::int64_t heldQty = 0;   // bought + bonus - sold
    double averagePrice = 0;    // buyAmount / (bought + bonus), 0 without shares
    double buyAmount = 0;       // 投资总额: purchases and rights issues, fees included
    double realisedProfit = 0;  // 净赢利(已成交)
    double realisedRate = 0;    // percentage
    double currentProfit = 0;   // 净赢利(包括未成交)
    double currentRate = 0;     // percentage
};

// The figures of the open position (`market`, `gbkCode`) of the workspace's ledger, the
// code compared as a whole; all zero when the ledger holds no such open position.
TradeDetailFigures tradeDetailFigures(const Workspace& workspace, std::int32_t market,
                                      const std::string& gbkCode);

}  // namespace fiscora

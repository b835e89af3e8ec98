#include "engine/trade_details.h"

#include "engine/holdings.h"
#include "host/quote_source.h"

namespace fiscora {

TradeDetailFigures tradeDetailFigures(const Workspace& workspace, std::int32_t market,
                                      const std::string& gbkCode) {
    // Closed positions are not among the holdings, as in the main window's list.
    for (const Holding& h : computeHoldings(workspace.ledger, 0, -1)) {
        if (h.market != market || h.stockCode != gbkCode) continue;
        const HoldingFigures f = holdingFigures(h, latestPriceByMarket(h.stockCode, h.market),
                                                workspace.feeRowFor(h.market, h.stockCode));
        return {f.heldQty,          f.averagePrice,       h.buyAmount,
                f.realisedProfit,   f.realisedRate * 100, f.currentProfit,
                f.currentRate * 100};
    }
    return {};
}

}  // namespace fiscora

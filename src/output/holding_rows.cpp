#include "output/holding_rows.h"

#include "engine/number_format.h"
#include "engine/trade_fee.h"
#include "host/quote_source.h"
#include "records/gbk_text.h"

namespace fiscora {

std::vector<ListColumn> holdingColumns() {
    return {{"市场类型", 72}, {"股票代码", 72}, {"股票名称", 72}, {"持仓量", 72},
            {"市值", 72},     {"浮动盈亏", 92}, {"均价", 72},     {"最新价/昨收", 90},
            {"保本价", 72},   {"收益率", 72}};
}

namespace {

// The columns whose figures are coloured by their sign.
constexpr std::size_t kFloatingProfitColumn = 5;
constexpr std::size_t kReturnRateColumn = 9;

}  // namespace

CellTone holdingCellTone(const HoldingRow& row, std::size_t column) {
    switch (column) {
    case kFloatingProfitColumn: return toneOf(row.figures.floatingProfit);
    case kReturnRateColumn: return toneOf(row.figures.returnRate);
    default: return CellTone::Plain;
    }
}

std::vector<HoldingRow> holdingRows(const Workspace& workspace, const Holdings& holdings) {
    std::vector<HoldingRow> rows;
    rows.reserve(holdings.size());
    for (const Holding& h : holdings) {
        HoldingRow row;
        row.holding = h;
        stockName(h.stockCode, h.market, row.name);
        row.latestPrice = latestPriceByMarket(h.stockCode, h.market);
        row.figures =
            holdingFigures(h, row.latestPrice, workspace.feeRowFor(h.market, h.stockCode));
        const HoldingFigures& f = row.figures;
        row.cells = {marketText(h.market),
                     gbkToUtf8(h.stockCode),
                     row.name,
                     formatQuantity(f.heldQty),
                     formatAmount(f.marketValue),
                     formatAmount(f.floatingProfit),
                     formatAmount(f.averagePrice),
                     formatAmount(row.latestPrice),
                     formatAmount(f.breakEvenPrice),
                     formatPercent(f.returnRate)};
        rows.push_back(std::move(row));
    }
    return rows;
}

ListTable holdingTable(const std::vector<HoldingRow>& rows) {
    ListTable table{holdingColumns(), {}};
    for (const auto& r : rows) table.rows.push_back(r.cells);
    return table;
}

}  // namespace fiscora

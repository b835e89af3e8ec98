#pragma once

#include <string>
#include <vector>

#include "output/holding_rows.h"
#include "ui/analysis/chart_painter.h"

namespace fiscora::ui {

// The chart a radio (or an opening command) chooses; the codes are the radios' order.
enum class ChartKind { Profit = 0, ProfitRate = 1, Invested = 2, ProfitShare = 3 };
// One item per stock held, or the account as one item.
enum class ChartScope { Stock = 0, Account = 1 };

// Labels are at most this many GBK bytes.
inline constexpr std::size_t kChartLabelBytes = 19;

// Kinds 2 and 3 are pies, 0 and 1 bars.
bool isPie(ChartKind kind);

// The items of `kind`, one per row of the holdings list in its order, or the account as
// one item (value label only). No rows, no items.
ChartSeries chartSeries(const std::vector<HoldingRow>& rows, ChartKind kind, ChartScope scope);

struct LegendEntry {
    std::string text;  // "[" code "]" name ":" value
    Rgb colour;
    bool operator==(const LegendEntry&) const = default;
};

// One entry per stock in the item's palette colour; the account scope has no legend.
std::vector<LegendEntry> chartLegend(const ChartSeries& series, ChartScope scope);

// One legend line in its row: a square swatch in the entry's colour, outlined, from one pixel
// inside the row's top left to the row's height, then the text in blue one pixel further
// right, centred vertically, on no background.
void drawLegendEntry(ReportCanvas& canvas, const ReportRect& row, const LegendEntry& entry,
                     const SizedFont& font);

// What the tooltip reads for `item`: the value label for the account; code, name and value
// label on lines of their own for a stock.
std::string chartTooltip(const ChartSeries& series, ChartScope scope, int item);

struct PagingButtons {
    bool previousItem = false;  // 前移一项
    bool nextItem = false;      // 后移一项
    bool previousPage = false;  // 向前翻页
    bool nextPage = false;      // 向后翻页
    bool operator==(const PagingButtons&) const = default;
};

// Only stock bars page: forward by an item while another follows the first visible one, by
// a page while a whole page follows; back while the first visible item is not the first.
PagingButtons pagingButtons(const ChartPainter& painter, ChartScope scope);

}  // namespace fiscora::ui

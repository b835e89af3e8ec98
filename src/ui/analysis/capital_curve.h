#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/capital_series.h"
#include "engine/holdings.h"
#include "engine/ledger_filter.h"
#include "ui/analysis/capital_curve_chart.h"

namespace fiscora::ui {

// Said for a day whose ledger holds no record, instead of opening an empty list.
inline constexpr const char* kNoDayRecordsNotice = "当日没有流水帐";

// What the capital curve shows: the stock list, the choice of a stock or the whole account,
// bars or curve, and the picture of the chosen series with its read-outs. Each choice's
// series is computed once, when it is first drawn; repaints reuse it until the ledger
// changes (ledgerChanged).
class CapitalCurve {
public:
    // The stock list holds the account's open positions, in holdings-list order, the first
    // selected. It is computed when first asked for: the whole account's curve needs none.
    CapitalCurve(const Ledger& ledger, SeriesPrices prices);

    // The stock list's entries: the market text followed directly by the code, "深圳000001".
    const std::vector<std::string>& stockEntries() const { return stockList().entries; }
    // The selected entry's index; -1 when none is selected or the list is empty.
    int selectedStock() const;
    // -1 or an index out of range selects nothing.
    void selectStock(int index);
    bool total() const { return total_; }
    void setTotal(bool on) { total_ = on; }
    CurveStyle style() const { return style_; }
    void setStyle(CurveStyle style) { style_ = style; }

    // The series of the current choice: the whole account, the selected stock, or none.
    const DaySeries& series();
    // The ledger's records were changed, added or removed: every series is computed again
    // when next drawn, and the read-outs wait for that drawing.
    void ledgerChanged();
    // Composes the chart area of `width` x `height` cleared to `face`. Without a curve to
    // draw the area says why (no holdings, no stock chosen, no values).
    void draw(ReportCanvas& canvas, int width, int height, Rgb face);

    // The read-out for the mouse at `point`: of the drawn day nearest to it that has a point,
    // the date ("2026年4月5日"), the curve's value that day (市值, or 总资产 for the whole
    // account, cash included) and how many records the day's ledger holds; none when no day
    // has a point.
    std::optional<std::string> tooltipAt(CanvasPoint point) const;
    // Remembers the day nearest to a right click that has a point; true when there is one
    // (the menu then opens).
    bool rightClick(CanvasPoint point);
    // The ledger view's filters for the day last right-clicked, with the stock's code when a
    // stock is shown; none when no day was picked.
    std::optional<LedgerFilter> dayLedger() const;
    // How many records the ledger view would list for `filter`.
    std::size_t recordCount(const LedgerFilter& filter) const;

private:
    struct StockList {
        std::vector<StockId> stocks;
        std::vector<std::string> entries;
    };
    const StockList& stockList() const;
    const StockId* shownStock() const;
    // The filters of the ledger view for `day` of what is shown.
    LedgerFilter dayFilter(std::int32_t day) const;
    // What the area says when the chart draws no curve; null when it drew one.
    const char* emptyNotice() const;

    const Ledger& ledger_;
    SeriesPrices prices_;
    mutable std::optional<StockList> stockList_;
    int selected_ = 0;  // an index of the stock list, or -1
    bool total_ = false;
    CurveStyle style_ = CurveStyle::Curve;
    // Computed series by choice: the stock's index, or -1 for the whole account.
    std::map<int, DaySeries> computed_;
    // The series and chart of the last drawing, which the read-outs refer to.
    const DaySeries* drawn_ = nullptr;
    CapitalCurveChart chart_;
    std::optional<LedgerFilter> lastRightClick_;
};

}  // namespace fiscora::ui

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

// What the capital curve shows: the stock list, the choice of a stock or the whole account,
// bars or curve, and the picture of the chosen series with its read-outs. Each choice's
// series is computed once, when it is first drawn; repaints reuse it until the ledger
// changes (ledgerChanged).
class CapitalCurve {
public:
    // The stock list holds the account's open positions, in holdings-list order.
    CapitalCurve(const Ledger& ledger, SeriesPrices prices);

    // The stock list's entries: the market text followed directly by the code, "深圳000001".
    const std::vector<std::string>& stockEntries() const { return entries_; }
    int selectedStock() const { return selected_; }
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
    // Composes the chart area of `width` x `height` cleared to `face`.
    void draw(ReportCanvas& canvas, int width, int height, Rgb face);

    // The read-out for the mouse at `point`: the day and its value (bars), or the day and
    // the value at the mouse's height (curve); none when no day is under it.
    std::optional<std::string> tooltipAt(CanvasPoint point) const;
    // Remembers the day under a right click; true when there is one (the menu then opens).
    bool rightClick(CanvasPoint point);
    // The ledger view's filters for the day last right-clicked, with the stock's code when a
    // stock is shown; none when no day was hit.
    std::optional<LedgerFilter> dayLedger() const;

private:
    const StockId* shownStock() const;

    const Ledger& ledger_;
    SeriesPrices prices_;
    std::vector<StockId> stocks_;
    std::vector<std::string> entries_;
    int selected_ = -1;
    bool total_ = false;
    CurveStyle style_ = CurveStyle::Curve;
    // Computed series by choice: the stock's index, or -1 for the whole account.
    std::map<int, DaySeries> computed_;
    // The series and chart of the last drawing, which the read-outs refer to.
    const DaySeries* drawn_ = nullptr;
    CapitalCurveChart chart_;
    int lastRightClick_ = -1;
    std::optional<std::string> lastRightClickCode_;
};

}  // namespace fiscora::ui

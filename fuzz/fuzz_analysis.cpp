// An account's analysis over a fuzzed ledger (the records as deciphered, 200 bytes each):
// the holdings list, the trade details of each stock, the profit charts of every kind and
// scope with their tooltips, the capital curve of a stock and of the account, the
// account's properties and the text export of the ledger list and of the trade details.
// Nothing may crash, read out of bounds or divide by zero.
#include <algorithm>
#include <cstring>

#include "engine/account_summary.h"
#include "engine/capital_series.h"
#include "engine/ledger_filter.h"
#include "engine/trade_details.h"
#include "fuzz_support.h"
#include "output/holding_rows.h"
#include "output/ledger_rows.h"
#include "output/list_text_export.h"
#include "records/gbk_text.h"
#include "ui/analysis/capital_curve_chart.h"
#include "ui/analysis/chart_rows.h"
#include "ui/analysis/profit_charts.h"

using namespace fiscora;

namespace {

// A canvas that draws nothing and measures every text as 6 by 12 units a character.
class BlankCanvas : public ReportCanvas {
public:
    TextExtent measure(ReportFont, std::string_view text, int) override {
        return {static_cast<int>(text.size()) * 6, 12};
    }
    void text(ReportFont, const ReportRect&, std::string_view, ColumnAlign, TextFlow,
              double) override {}
    void line(int, int, int, int, Rgb) override {}
    void outline(const ReportRect&) override {}
    void whiteBox(const ReportRect&) override {}
    void fill(const ReportRect&, Rgb) override {}
    void pie(const ReportRect&, CanvasPoint, CanvasPoint, Rgb) override {}
    void ellipse(const ReportRect&, Rgb, Rgb) override {}
    TextExtent measure(const SizedFont&, std::string_view text) override {
        return {static_cast<int>(text.size()) * 6, 12};
    }
    void text(const SizedFont&, const ReportRect&, std::string_view, const TextStyle&) override {}
};

// The capital curve steps day by day from a stock's first record; a few records keep a
// fuzzed ledger's runs short while dates still span centuries.
constexpr std::size_t kMaxRecords = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t count = std::min(size / sizeof(LedgerRecord), kMaxRecords);
    fuzz::QuietMessages messages;
    Workspace workspace(messages, OpenMode::ReadOnly);
    workspace.ledger.resize(count);
    if (count > 0) std::memcpy(workspace.ledger.data(), data, count * sizeof(LedgerRecord));
    AccountInfo account{};
    storeBytes(account.name, "fuzz");
    storeBytes(account.tradeType, utf8ToGbk("深沪A股").value_or(""));
    workspace.accounts = {account};
    workspace.recomputeHoldings();

    const std::vector<HoldingRow> rows = holdingRows(workspace, workspace.holdings);
    accountSummary(workspace, account);
    for (const Holding& h : workspace.holdings) {
        tradeDetailFigures(workspace, h.market, h.stockCode);
        ViewRows shown =
            refillViewRows(workspace.ledger, LedgerFilter::oneStock(h.market, h.stockCode));
        listAsText(tradeDetailTable(workspace.ledger, shown));
    }
    listAsText(ledgerTable(workspace.ledger, refillViewRows(workspace.ledger, LedgerFilter{})));

    BlankCanvas canvas;
    for (const ui::ChartScope scope : {ui::ChartScope::Stock, ui::ChartScope::Account}) {
        for (const ui::ChartKind kind : {ui::ChartKind::Profit, ui::ChartKind::ProfitRate,
                                         ui::ChartKind::Invested, ui::ChartKind::ProfitShare}) {
            ui::chartRows(ui::chartSeries(rows, kind, scope));
            ui::ProfitCharts charts(rows, Rgb{});
            charts.Draw(canvas, {0, 0, 574, 512}, kind, scope);
            charts.StepPage(canvas, true);
            charts.StepItem(canvas, true);
            for (int x = 0; x < 574; x += 41) charts.TooltipAt({x, x % 512});
        }
    }

    const SeriesPrices prices{fuzz::scratchFolder(),
                              [](std::string_view, std::int32_t) { return 10.0; }, 20240101};
    ui::CapitalCurveChart curve;
    for (const StockId& stock : tradedStocks(workspace.ledger)) {
        curve.DrawCurve(canvas, StockSeries(workspace.ledger, stock, false, prices),
                        ui::CurveStyle::Bars, 698, 552, Rgb{});
        break;  // one stock: the whole account below adds every other
    }
    curve.DrawCurve(canvas, TotalSeries(workspace.ledger, prices), ui::CurveStyle::Curve, 698, 552,
                    Rgb{});
    return 0;
}

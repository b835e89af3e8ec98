#include "cli/chart_command.h"

#include <charconv>
#include <map>

#include "cli/exit_codes.h"
#include "cli/list_files.h"
#include "cli/picture_options.h"
#include "cli/usage.h"
#include "output/holding_rows.h"
#include "ui/analysis/chart_rows.h"
#include "ui/analysis/profit_charts.h"

namespace fiscora::cli {
namespace {

constexpr const char* kFirstOption = "--first";

// The window's chart area with its dialog font.
constexpr PictureSize kChartAreaSize{574, 512};

const RowFormat<ui::ChartRow>& chartFormat() {
    using R = const ui::ChartRow&;
    static const RowFormat<ui::ChartRow> format{{
        {{"index"}, [](R r) { return Value::integer(r.index); }},
        {{"stockCode"}, [](R r) { return Value::text(r.stockCode); }},
        {{"name"}, [](R r) { return Value::text(r.name); }},
        {{"value"}, [](R r) { return Value::real(r.value); }},
        {{"valueLabel"}, [](R r) { return Value::text(r.valueLabel); }},
        {{"colour"}, [](R r) { return Value::text(r.colour); }},
    }};
    return format;
}

std::vector<Column> chartColumns() {
    return chartFormat().columns();
}

// What the chart shows, as the options choose it; the reason when they do not name one.
struct ChartChoice {
    ui::ChartKind kind = ui::ChartKind::Profit;
    ui::ChartScope scope = ui::ChartScope::Stock;
    int first = 0;  // the first bar drawn
};

std::string readChoice(const CommandContext& c, ChartChoice& choice) {
    static const std::map<std::string, ui::ChartKind> kinds = {
        {"profit", ui::ChartKind::Profit},
        {"rate", ui::ChartKind::ProfitRate},
        {"invested", ui::ChartKind::Invested},
        {"profit-share", ui::ChartKind::ProfitShare}};
    if (const std::string* kind = optionValue(c, "--kind")) {
        const auto it = kinds.find(*kind);
        if (it == kinds.end()) return "--kind takes profit, rate, invested or profit-share";
        choice.kind = it->second;
    }
    if (const std::string* scope = optionValue(c, "--scope")) {
        if (*scope != "stock" && *scope != "account") return "--scope takes stock or account";
        choice.scope = *scope == "stock" ? ui::ChartScope::Stock : ui::ChartScope::Account;
    }
    if (const std::string* first = optionValue(c, kFirstOption)) {
        const char* end = first->data() + first->size();
        const auto [stop, error] = std::from_chars(first->data(), end, choice.first);
        if (error != std::errc() || stop != end || choice.first < 0)
            return "--first takes the index of an item, from 0";
        if (ui::isPie(choice.kind)) return "--first pages bar charts only";
    }
    return {};
}

// The chart asked for and the size of its picture.
struct ChartRequest {
    ChartChoice choice;
    PictureSize size;
};

int readChart(CommandContext& c, ChartRequest& request) {
    if (const std::string why = readChoice(c, request.choice); !why.empty())
        return usageError(c.err, why);
    return readPictureOptions(c, {kSizeOption, kFirstOption}, kChartAreaSize, request.size)
               ? kExitOk
               : kExitUsage;
}

int runChart(CommandContext& c, ChartRequest& request) {
    const ChartChoice& choice = request.choice;
    const PictureSize& size = request.size;
    Workspace& ws = c.session.workspace();
    const std::vector<HoldingRow> rows = holdingRows(ws, ws.holdings);
    const ui::ChartSeries series = ui::chartSeries(rows, choice.kind, choice.scope);
    if (optionValue(c, kPngOption) == nullptr) {
        chartFormat().writeAll(c.out, ui::chartRows(series), c.options.format);
        return kExitOk;
    }
    const int count = static_cast<int>(series.values.size());
    if (choice.first > 0 && choice.first >= count)
        return usageError(c.err, "--first is beyond the last item, " + std::to_string(count - 1));
    return writePngPicture(
        c, size,
        [&](ReportCanvas& canvas, Rgb face) {
            // Without holdings the window shows a notice; the command line writes no file.
            if (rows.empty()) return false;
            ui::ProfitCharts charts(rows, face);
            return charts.Draw(canvas, {0, 0, size.width, size.height}, choice.kind, choice.scope,
                               choice.first);
        },
        "the account holds no stocks");
}

}  // namespace

Command chartCommand() {
    return {
        .name = "chart",
        .arguments = "ACCOUNT",
        .summary = "list or draw an account's profit chart",
        .description =
            "Lists the items of the window's 图表分析 chart, one per held stock (--scope stock) "
            "or\n"
            "the account as one item (--scope account): index (from 0), stock code, name, value,\n"
            "the label drawn with it and its colour (#rrggbb). The kinds: profit (投资赢利额,\n"
            "bars), rate (投资赢利率, bars; value as a fraction, label in percent), invested\n"
            "(净资产分布, a pie of the amounts paid) and profit-share (净赢利分布, a pie of the\n"
            "profits by their size). With --png the chart area is drawn as the window draws it\n"
            "into a PNG file instead, nine bars from item --first; nothing is printed then.\n"
            "Without stocks held there is no chart and no file is written (exit 1).",
        .columns = chartColumns,
        .run = {readChart, runChart},
        .options = {{"--kind", "profit|rate|invested|profit-share", "the chart (default: profit)"},
                    {"--scope", "stock|account",
                     "one item per stock or the account (default: stock)"},
                    {kPngOption, "FILE", "draw the chart area into this PNG file"},
                    {kSizeOption, "WxH", "the picture's size in pixels (default: 574x512)"},
                    {kFirstOption, "N", "the first bar drawn (default: 0)"}},
        .needsPassword = true,
    };
}

}  // namespace fiscora::cli

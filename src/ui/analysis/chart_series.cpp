#include "ui/analysis/chart_series.h"

#include <cmath>

#include "engine/number_format.h"
#include "records/gbk_text.h"

namespace fiscora::ui {
namespace {

std::string label(std::string_view text) {
    return cutToGbkBytes(text, kChartLabelBytes);
}

std::string percentLabel(double percentage, int decimals) {
    return label(formatFixed(percentage, decimals) + "%");
}

double stockValue(const HoldingRow& row, ChartKind kind) {
    switch (kind) {
    case ChartKind::Profit: return row.figures.currentProfit;
    case ChartKind::ProfitRate: return row.figures.currentRate;
    case ChartKind::Invested: return row.holding.buyAmount;
    case ChartKind::ProfitShare: break;
    }
    return std::abs(row.figures.currentProfit);
}

ChartSeries perStock(const std::vector<HoldingRow>& rows, ChartKind kind) {
    ChartSeries s;
    double total = 0;
    for (const HoldingRow& row : rows) {
        const double value = stockValue(row, kind);
        s.values.push_back(value);
        s.codeLabels.push_back(label(gbkToUtf8(row.holding.stockCode)));
        s.nameLabels.push_back(label(row.name));
        total += value;
    }
    for (double value : s.values) {
        switch (kind) {
        case ChartKind::Profit: s.valueLabels.push_back(label(formatAmount(value))); break;
        case ChartKind::ProfitRate: s.valueLabels.push_back(percentLabel(value * 100, 1)); break;
        case ChartKind::Invested:
        case ChartKind::ProfitShare:
            // A share of nothing (no profit or loss anywhere) is shown as 0.0%.
            s.valueLabels.push_back(percentLabel(total != 0 ? value / total * 100 : 0, 1));
            break;
        }
    }
    return s;
}

ChartSeries perAccount(const std::vector<HoldingRow>& rows, ChartKind kind) {
    if (isPie(kind)) return {{1.0}, {}, {"100%"}, {}};
    double profit = 0;
    double invested = 0;
    for (const HoldingRow& row : rows) {
        profit += row.figures.currentProfit;
        invested += row.holding.buyAmount;
    }
    if (kind == ChartKind::Profit) return {{profit}, {}, {label(formatAmount(profit))}, {}};
    const double rate = invested != 0 ? profit / invested : 0;
    return {{rate}, {}, {percentLabel(rate * 100, 3)}, {}};
}

constexpr Rgb kLegendText{0, 0, 255};

}  // namespace

bool isPie(ChartKind kind) {
    return kind == ChartKind::Invested || kind == ChartKind::ProfitShare;
}

ChartSeries chartSeries(const std::vector<HoldingRow>& rows, ChartKind kind, ChartScope scope) {
    if (rows.empty()) return {};
    return scope == ChartScope::Stock ? perStock(rows, kind) : perAccount(rows, kind);
}

std::vector<LegendEntry> chartLegend(const ChartSeries& series, ChartScope scope) {
    std::vector<LegendEntry> legend;
    if (scope == ChartScope::Account) return legend;
    for (std::size_t i = 0; i < series.values.size(); ++i) {
        legend.push_back({"[" + labelAt(series.codeLabels, i) + "]" +
                              labelAt(series.nameLabels, i) + ":" + labelAt(series.valueLabels, i),
                          paletteColour(i)});
    }
    return legend;
}

void drawLegendEntry(ReportCanvas& canvas, const ReportRect& row, const LegendEntry& entry,
                     const SizedFont& font) {
    const ReportRect swatch{row.left + 1, row.top + 1, row.left + row.height(), row.bottom};
    canvas.fill(swatch, entry.colour);
    canvas.outline(swatch);
    canvas.text(font, {swatch.right + 1, row.top, row.right, row.bottom}, entry.text,
                {ColumnAlign::Left, VerticalAlign::Center, kLegendText, std::nullopt});
}

std::string chartTooltip(const ChartSeries& series, ChartScope scope, int item) {
    if (item < 0) return {};
    const auto i = static_cast<std::size_t>(item);
    const std::string& value = labelAt(series.valueLabels, i);
    if (scope == ChartScope::Account) return value;
    std::string text = labelAt(series.codeLabels, i) + "\n" + labelAt(series.nameLabels, i);
    if (!value.empty()) text += "\n" + value;
    return text;
}

PagingButtons pagingButtons(const ChartPainter& painter, ChartScope scope) {
    if (painter.mode() != ChartMode::Bars || scope == ChartScope::Account || painter.count() == 0) {
        return {};
    }
    const int first = painter.firstVisible();
    const int n = painter.count();
    return {first > 0, first<n - 1, first> 0, first + kBarsPerPage < n};
}

}  // namespace fiscora::ui

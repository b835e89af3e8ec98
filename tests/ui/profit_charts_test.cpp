#include "ui/analysis/profit_charts.h"

#include <gtest/gtest.h>

#include "support/builders.h"
#include "support/recording_canvas.h"

namespace fiscora::ui {
namespace {

using test::RecordingCanvas;

constexpr Rgb kFace{240, 240, 240};
constexpr ReportRect kArea{0, 0, 620, 400};

std::vector<HoldingRow> stocks(int n) {
    return test::numberedStocks(n, [](int i) { return 100.0 * (i + 1) * (i % 2 == 0 ? 1 : -1); });
}

TEST(ProfitCharts, EachKindDrawsItsChartWithItsLegend) {
    ProfitCharts charts(stocks(3), kFace);
    RecordingCanvas bars;
    ASSERT_TRUE(charts.Draw(bars, kArea, ChartKind::Profit, ChartScope::Stock));
    EXPECT_EQ(charts.painter().mode(), ChartMode::Bars);
    EXPECT_EQ(bars.fills.size(), 4u);
    ASSERT_EQ(charts.legend().size(), 3u);
    EXPECT_EQ(charts.legend()[1].text, "[600001]股票1:-200.000");
    EXPECT_EQ(charts.paging(), (PagingButtons{false, true, false, false}));

    RecordingCanvas pie;
    ASSERT_TRUE(charts.Draw(pie, kArea, ChartKind::Invested, ChartScope::Stock));
    EXPECT_EQ(charts.painter().mode(), ChartMode::Pie);
    EXPECT_EQ(pie.pies.size(), 3u);
    EXPECT_EQ(charts.legend()[0].text, "[600000]股票0:33.3%");
    EXPECT_EQ(charts.paging(), PagingButtons{});
}

TEST(ProfitCharts, TheAccountScopeHasOneItemNoLegendAndNoPaging) {
    ProfitCharts charts(stocks(12), kFace);
    RecordingCanvas c;
    ASSERT_TRUE(charts.Draw(c, kArea, ChartKind::Profit, ChartScope::Stock));
    EXPECT_FALSE(charts.legend().empty());
    RecordingCanvas account;
    ASSERT_TRUE(charts.Draw(account, kArea, ChartKind::Profit, ChartScope::Account));
    EXPECT_TRUE(charts.legend().empty());
    EXPECT_EQ(charts.paging(), PagingButtons{});
    EXPECT_EQ(charts.painter().count(), 1);
    ASSERT_EQ(account.labels.size(), 1u);
    EXPECT_EQ(account.labels[0].text, "-600.000");
    // The one bar hangs from the zero line; the tooltip reads its value label.
    EXPECT_EQ(charts.TooltipAt({10, 300}), "-600.000");
    EXPECT_EQ(charts.TooltipAt({10, 100}), std::nullopt);
}

TEST(ProfitCharts, NoHoldingsSaySoInAnyKindOrScopeAndHitNothing) {
    ProfitCharts charts({}, kFace);
    for (int kind = 0; kind < 4; ++kind) {
        for (ChartScope scope : {ChartScope::Stock, ChartScope::Account}) {
            RecordingCanvas c;
            ASSERT_TRUE(charts.Draw(c, kArea, ChartKind(kind), scope));
            EXPECT_EQ(c.fills, (std::vector<RecordingCanvas::Fill>{{kArea, kFace}}));
            ASSERT_EQ(c.labels.size(), 1u);
            EXPECT_EQ(c.labels[0].text, "没有持仓");
            EXPECT_EQ(c.labels[0].rect, kArea);
            EXPECT_EQ(c.labels[0].style.horizontal, ColumnAlign::Center);
            EXPECT_EQ(c.labels[0].style.vertical, VerticalAlign::Center);
        }
    }
    EXPECT_EQ(charts.painter().mode(), ChartMode::Notice);
    EXPECT_TRUE(charts.legend().empty());
    EXPECT_EQ(charts.paging(), PagingButtons{});
    RecordingCanvas again;
    ASSERT_TRUE(charts.Repaint(again));
    EXPECT_EQ(again.labels.size(), 1u);
    EXPECT_FALSE(charts.StepPage(again, true));
    EXPECT_EQ(charts.TooltipAt({310, 200}), std::nullopt);
}

TEST(ProfitCharts, PagingMovesTheBarsTheTooltipReads) {
    ProfitCharts charts(stocks(12), kFace);
    RecordingCanvas c;
    ASSERT_TRUE(charts.Draw(c, kArea, ChartKind::ProfitRate, ChartScope::Stock));
    EXPECT_EQ(charts.paging(), (PagingButtons{false, true, false, true}));
    // The first bar: 100% of the largest 1200%.
    EXPECT_EQ(charts.TooltipAt({5, 195}), "600000\n股票0\n100.0%");
    ASSERT_TRUE(charts.StepPage(c, true));
    EXPECT_EQ(charts.paging(), (PagingButtons{true, true, true, false}));
    EXPECT_EQ(charts.TooltipAt({5, 250}), "600009\n股票9\n-1000.0%");
    ASSERT_TRUE(charts.StepItem(c, false));
    EXPECT_EQ(charts.painter().firstVisible(), 8);

    // Bars may start anywhere up to the count, as the command line asks.
    ASSERT_TRUE(charts.Draw(c, kArea, ChartKind::Profit, ChartScope::Stock, 11));
    EXPECT_EQ(charts.TooltipAt({5, 300}), "600011\n股票11\n-1200.000");
    EXPECT_FALSE(charts.Draw(c, kArea, ChartKind::Profit, ChartScope::Account, 13));
    EXPECT_EQ(charts.legend().size(), 12u);  // still the chart shown
    EXPECT_EQ(charts.paging(), (PagingButtons{true, false, true, false}));
}

}  // namespace
}  // namespace fiscora::ui

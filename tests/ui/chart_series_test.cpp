#include "ui/analysis/chart_series.h"

#include <gtest/gtest.h>

#include "support/recording_canvas.h"
#include "ui/analysis/chart_rows.h"

namespace fiscora::ui {
namespace {

HoldingRow row(const std::string& code, const std::string& name, double profit, double rate,
               double invested) {
    HoldingRow r;
    r.holding.stockCode = code;
    r.name = name;
    r.figures.currentProfit = profit;
    r.figures.currentRate = rate;
    r.holding.buyAmount = invested;
    return r;
}

std::vector<HoldingRow> threeStocks() {
    return {row("600036", "招商银行", 1705.45, 0.16186, 6000),
            row("000002", "万科A", -610.425, -0.05, 3000), row("600519", "贵州茅台", 0, 0, 1000)};
}

TEST(ChartSeries, StockBarsCarryProfitOrRateWithTheirLabels) {
    const ChartSeries profit = chartSeries(threeStocks(), ChartKind::Profit, ChartScope::Stock);
    EXPECT_EQ(profit.values, (std::vector<double>{1705.45, -610.425, 0}));
    EXPECT_EQ(profit.codeLabels, (std::vector<std::string>{"600036", "000002", "600519"}));
    EXPECT_EQ(profit.nameLabels, (std::vector<std::string>{"招商银行", "万科A", "贵州茅台"}));
    EXPECT_EQ(profit.valueLabels, (std::vector<std::string>{"1705.450", "-610.425", "0.000"}));

    const ChartSeries rate = chartSeries(threeStocks(), ChartKind::ProfitRate, ChartScope::Stock);
    EXPECT_EQ(rate.values, (std::vector<double>{0.16186, -0.05, 0}));
    EXPECT_EQ(rate.valueLabels, (std::vector<std::string>{"16.2%", "-5.0%", "0.0%"}));
}

TEST(ChartSeries, StockPiesShareTheTotalAndCountLossesByTheirSize) {
    const ChartSeries invested = chartSeries(threeStocks(), ChartKind::Invested, ChartScope::Stock);
    EXPECT_EQ(invested.values, (std::vector<double>{6000, 3000, 1000}));
    EXPECT_EQ(invested.valueLabels, (std::vector<std::string>{"60.0%", "30.0%", "10.0%"}));

    const ChartSeries share = chartSeries(threeStocks(), ChartKind::ProfitShare, ChartScope::Stock);
    EXPECT_EQ(share.values, (std::vector<double>{1705.45, 610.425, 0}));
    EXPECT_EQ(share.valueLabels, (std::vector<std::string>{"73.6%", "26.4%", "0.0%"}));

    const ChartSeries single = chartSeries({row("600036", "招商银行", -5, 0, 100)},
                                           ChartKind::ProfitShare, ChartScope::Stock);
    EXPECT_EQ(single.valueLabels, (std::vector<std::string>{"100.0%"}));
}

TEST(ChartSeries, APieOfNoProfitAtAllLabelsEveryShareZeroAndDrawsNothing) {
    const std::vector<HoldingRow> flat{row("600036", "招商银行", 0, 0, 100),
                                       row("000002", "万科A", 0, 0, 100)};
    const ChartSeries share = chartSeries(flat, ChartKind::ProfitShare, ChartScope::Stock);
    EXPECT_EQ(share.valueLabels, (std::vector<std::string>{"0.0%", "0.0%"}));
    ChartPainter painter({240, 240, 240});
    test::RecordingCanvas canvas;
    ASSERT_TRUE(painter.DrawPie(canvas, {0, 0, 400, 300}, share));
    EXPECT_TRUE(canvas.pies.empty());
    EXPECT_EQ(painter.HitTest({300, 100}), -1);
}

TEST(ChartSeries, TheAccountIsOneItemWithItsValueLabelOnly) {
    const auto rows = threeStocks();
    const ChartSeries profit = chartSeries(rows, ChartKind::Profit, ChartScope::Account);
    ASSERT_EQ(profit.values.size(), 1u);
    EXPECT_DOUBLE_EQ(profit.values[0], 1705.45 - 610.425);
    EXPECT_EQ(profit.valueLabels, (std::vector<std::string>{"1095.025"}));
    EXPECT_TRUE(profit.codeLabels.empty());
    EXPECT_TRUE(profit.nameLabels.empty());

    const ChartSeries rate = chartSeries(rows, ChartKind::ProfitRate, ChartScope::Account);
    EXPECT_DOUBLE_EQ(rate.values[0], 1095.025 / 10000);
    EXPECT_EQ(rate.valueLabels, (std::vector<std::string>{"10.950%"}));
    // Nothing invested: the rate is 0, not a division by zero.
    const ChartSeries idle = chartSeries({row("600036", "招商银行", 0, 0, 0)},
                                         ChartKind::ProfitRate, ChartScope::Account);
    EXPECT_EQ(idle.values, (std::vector<double>{0}));
    EXPECT_EQ(idle.valueLabels, (std::vector<std::string>{"0.000%"}));

    for (ChartKind pie : {ChartKind::Invested, ChartKind::ProfitShare}) {
        const ChartSeries whole = chartSeries(rows, pie, ChartScope::Account);
        EXPECT_EQ(whole.values, (std::vector<double>{1.0}));
        EXPECT_EQ(whole.valueLabels, (std::vector<std::string>{"100%"}));
    }
}

TEST(ChartSeries, NoHoldingsNoItemsInAnyKindOrScope) {
    for (int kind = 0; kind < 4; ++kind) {
        for (ChartScope scope : {ChartScope::Stock, ChartScope::Account}) {
            EXPECT_TRUE(chartSeries({}, ChartKind(kind), scope).values.empty());
        }
    }
}

TEST(ChartSeries, LabelsStopAtNineteenGbkBytesBetweenCharacters) {
    const ChartSeries s = chartSeries({row("600036", "a超长的股票名称超长的名称", 1e20, 0, 1)},
                                      ChartKind::Profit, ChartScope::Stock);
    EXPECT_EQ(s.nameLabels[0], "a超长的股票名称超长");  // 1 + 9 * 2 bytes
    EXPECT_EQ(s.valueLabels[0], "1000000000000000000");
}

TEST(ChartLegend, EntriesInPaletteColoursAndNoneForTheAccount) {
    const auto rows = threeStocks();
    const ChartSeries s = chartSeries(rows, ChartKind::Invested, ChartScope::Stock);
    const auto legend = chartLegend(s, ChartScope::Stock);
    ASSERT_EQ(legend.size(), 3u);
    EXPECT_EQ(legend[0], (LegendEntry{"[600036]招商银行:60.0%", {255, 0, 0}}));
    EXPECT_EQ(legend[1].colour, (Rgb{0, 0, 255}));
    EXPECT_TRUE(
        chartLegend(chartSeries(rows, ChartKind::Profit, ChartScope::Account), ChartScope::Account)
            .empty());

    std::vector<HoldingRow> many(21, row("600036", "招商银行", 1, 0, 1));
    const auto long_legend =
        chartLegend(chartSeries(many, ChartKind::Profit, ChartScope::Stock), ChartScope::Stock);
    EXPECT_EQ(long_legend[20].colour, long_legend[0].colour);
}

TEST(ChartLegend, AnEntryIsASwatchThenBlueText) {
    test::RecordingCanvas c;
    const SizedFont font{FontFace::Interface, 12, 0};
    drawLegendEntry(c, {0, 32, 150, 48}, {"[600036]招商银行:60.0%", {255, 0, 0}}, font);
    EXPECT_EQ(c.fills, (std::vector<test::RecordingCanvas::Fill>{{{1, 33, 16, 48}, {255, 0, 0}}}));
    EXPECT_EQ(c.outlines, (std::vector<ReportRect>{{1, 33, 16, 48}}));
    ASSERT_EQ(c.labels.size(), 1u);
    EXPECT_EQ(c.labels[0].rect, (ReportRect{17, 32, 150, 48}));
    EXPECT_EQ(c.labels[0].style,
              (TextStyle{ColumnAlign::Left, VerticalAlign::Center, {0, 0, 255}, std::nullopt}));
}

TEST(ChartTooltip, ReadsTheItemUnderTheMouse) {
    const auto rows = threeStocks();
    const ChartSeries s = chartSeries(rows, ChartKind::Profit, ChartScope::Stock);
    EXPECT_EQ(chartTooltip(s, ChartScope::Stock, 1), "000002\n万科A\n-610.425");
    EXPECT_EQ(chartTooltip(s, ChartScope::Stock, -1), "");
    ChartSeries unlabelled = s;
    unlabelled.valueLabels.clear();
    EXPECT_EQ(chartTooltip(unlabelled, ChartScope::Stock, 0), "600036\n招商银行");
    EXPECT_EQ(chartTooltip(chartSeries(rows, ChartKind::Invested, ChartScope::Account),
                           ChartScope::Account, 0),
              "100%");
    EXPECT_EQ(chartTooltip(chartSeries(rows, ChartKind::Profit, ChartScope::Account),
                           ChartScope::Account, 0),
              "1095.025");
}

TEST(ChartRows, ListEveryItemWithItsColour) {
    const auto rows = threeStocks();
    const auto stock = chartRows(chartSeries(rows, ChartKind::Profit, ChartScope::Stock));
    ASSERT_EQ(stock.size(), 3u);
    EXPECT_EQ(stock[1], (ChartRow{1, "000002", "万科A", -610.425, "-610.425", "#0000ff"}));
    const auto account = chartRows(chartSeries(rows, ChartKind::Invested, ChartScope::Account));
    EXPECT_EQ(account, (std::vector<ChartRow>{{0, "", "", 1.0, "100%", "#ff0000"}}));
    EXPECT_EQ(hexColour({166, 202, 240}), "#a6caf0");
}

TEST(ChartPaging, ButtonsFollowTheFirstVisibleBar) {
    ChartPainter painter({240, 240, 240});
    test::RecordingCanvas c;
    EXPECT_EQ(pagingButtons(painter, ChartScope::Stock), PagingButtons{});
    std::vector<HoldingRow> many(10, row("600036", "招商银行", 1, 0, 1));
    const ReportRect area{0, 0, 620, 400};
    ASSERT_TRUE(
        painter.DrawBars(c, area, chartSeries(many, ChartKind::Profit, ChartScope::Stock), 0));
    EXPECT_EQ(pagingButtons(painter, ChartScope::Stock), (PagingButtons{false, true, false, true}));
    ASSERT_TRUE(painter.StepItem(c, true));
    EXPECT_EQ(pagingButtons(painter, ChartScope::Stock), (PagingButtons{true, true, true, false}));
    ASSERT_TRUE(painter.StepPage(c, true));  // 1 + 9 is not below 10: stays
    EXPECT_EQ(painter.firstVisible(), 1);
    ASSERT_TRUE(painter.StepPage(c, false));
    ASSERT_TRUE(painter.StepPage(c, true));
    EXPECT_EQ(painter.firstVisible(), 9);
    EXPECT_EQ(pagingButtons(painter, ChartScope::Stock), (PagingButtons{true, false, true, false}));

    // The account's one bar and every pie page nowhere.
    EXPECT_EQ(pagingButtons(painter, ChartScope::Account), PagingButtons{});
    ASSERT_TRUE(
        painter.DrawPie(c, area, chartSeries(many, ChartKind::Invested, ChartScope::Stock)));
    EXPECT_EQ(pagingButtons(painter, ChartScope::Stock), PagingButtons{});
}

}  // namespace
}  // namespace fiscora::ui

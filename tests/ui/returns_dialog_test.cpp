#include "ui/analysis/returns_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "output/ledger_rows.h"
#include "recording_list_output.h"
#include "support/builders.h"
#include "support/capital_series_data.h"
#include "support/recording_canvas.h"
#include "support/temp_dir.h"

namespace fiscora::ui {
namespace {

const StockId kBank{1, "600036"};
const StockId kIndex{1, "000001"};

DayBar closeBar(std::int32_t date, std::uint32_t close) {
    DayBar b{};
    b.date = date;
    for (std::uint32_t& p : b.prices) p = close;
    return b;
}

// 10000 in on 1 January 2023, all of it in 1000 shares at 10 on the 3rd; 12 from 30 June,
// 9 on 29 December; today is 31 December. The index rises from 3000 to 3300 over the year.
class ReturnsDialogTest : public ::testing::Test {
protected:
    ReturnsDialogTest() {
        test::writeDayBarFile(
            dir.path(), kBank,
            {closeBar(20230103, 1000), closeBar(20230630, 1200), closeBar(20231229, 900)});
        test::writeDayBarFile(dir.path(), kIndex,
                              {closeBar(20221230, 300000), closeBar(20231229, 330000)});
    }

    ReturnsDialog dialog() {
        return {messages, "张三", ledger, {dir.path(), {}, 20231231}, &output, 0};
    }

    test::TempDir dir;
    test::RecordingMessages messages;
    test::RecordingListOutput output;
    Ledger ledger = {test::cashRecord(RecordType::CashIn, 20230101, 10000),
                     test::stockRecord(RecordType::Buy, 20230103, "600036", 1000, 10, 0, 1)};
    test::RecordingCanvas canvas;
};

TEST_F(ReturnsDialogTest, OpensOnTheWholeHistoryWithItsFiguresAndYears) {
    ReturnsDialog d = dialog();
    d.OnInitDialog();
    EXPECT_EQ(d.caption(), "收益分析 -[张三]");
    EXPECT_EQ(d.from.date, 20230101);
    EXPECT_EQ(d.to.date, 20231231);
    EXPECT_EQ(d.stock.items, (std::vector<std::string>{"整个帐户", "上海600036"}));
    EXPECT_TRUE(d.notice().empty());
    EXPECT_EQ(d.startValue.text, "0.000");
    EXPECT_EQ(d.endValue.text, "9000.000");
    EXPECT_EQ(d.netFlow.text, "10000.000");
    // A year of 365 days: both returns are the loss of the year.
    EXPECT_EQ(d.irr.text, "-10.000%");
    EXPECT_EQ(d.twr.text, "-10.000%");
    EXPECT_EQ(d.twr.tone, CellTone::Loss);
    // From the last day at 12 to the fall to 9, never made good.
    EXPECT_EQ(d.maxDrawdown.text, "25.000%");
    EXPECT_EQ(d.maxDrawdown.tone, CellTone::Loss);
    EXPECT_EQ(d.peakDay.text, ledgerDateText(20231228));
    EXPECT_EQ(d.troughDay.text, ledgerDateText(20231229));
    EXPECT_EQ(d.recoveryDay.text, "未恢复");
    EXPECT_TRUE(d.benchmark.text.empty());
    // The whole period, then the year.
    ASSERT_EQ(d.table.rowCount, 2u);
    EXPECT_EQ(d.table.cellText(0, 0), "全部");
    EXPECT_EQ(d.table.cellText(1, 0), "2023年");
    EXPECT_EQ(d.table.cellText(1, 9), "-10.000%");
    EXPECT_EQ(d.table.cellTone(1, 9), CellTone::Loss);
    // The figures are the engine's for the same request.
    const std::vector<ReturnsRow> rows =
        measureReturns(ledger, {dir.path(), {}, 20231231}, d.request());
    EXPECT_EQ(d.analysis().rows.size(), rows.size());
    EXPECT_EQ(d.analysis().rows[0].figures.irr, rows[0].figures.irr);
    EXPECT_EQ(d.analysis().values.size(), 365u);
}

TEST_F(ReturnsDialogTest, TheChoicesMeasureAgain) {
    ReturnsDialog d = dialog();
    d.OnInitDialog();
    d.pickItem(d.periods, 1);
    ASSERT_EQ(d.table.rowCount, 2u);  // three and five years would start before the period
    EXPECT_EQ(d.table.cellText(1, 0), "最近1年");
    // The position alone: 10000 in on the 3rd, worth 9000 at the end.
    d.pickItem(d.stock, 1);
    EXPECT_EQ(d.request().stock, kBank);
    EXPECT_EQ(d.netFlow.text, "10000.000");
    EXPECT_EQ(d.endValue.text, "9000.000");
    EXPECT_EQ(d.analysis().rows[0].figures.from, 20230101);
    // The second half of the year only.
    d.pickItem(d.stock, 0);
    d.pickDate(d.from, 20230701);
    EXPECT_EQ(d.startValue.text, "12000.000");
    EXPECT_EQ(d.netFlow.text, "0.000");
    EXPECT_EQ(d.table.cellText(0, 1), ledgerDateText(20230701));
}

TEST_F(ReturnsDialogTest, ABenchmarkOnceItsCodeIsWhole) {
    ReturnsDialog d = dialog();
    d.OnInitDialog();
    d.typeText(d.benchmarkCode, "00000");
    EXPECT_FALSE(d.request().benchmark);
    d.typeText(d.benchmarkCode, "000001");
    ASSERT_EQ(d.request().benchmark, kIndex);
    EXPECT_EQ(d.benchmark.text, "10.000%");
    EXPECT_EQ(d.benchmark.tone, CellTone::Gain);
    EXPECT_EQ(d.excess.text, "-20.000%");
    EXPECT_EQ(d.excess.tone, CellTone::Loss);
    // Drawn from the account's first value on the same scale: 3000 -> 3300 as 10000 -> 11000.
    const std::vector<double>& line = d.analysis().benchmark;
    ASSERT_EQ(line.size(), d.analysis().values.size());
    EXPECT_DOUBLE_EQ(line.front(), 10000);
    EXPECT_DOUBLE_EQ(line.back(), 11000);
    // The same code in the other market has no bars: no figure, and the legend says so.
    d.pickItem(d.benchmarkMarket, 0);
    EXPECT_TRUE(d.benchmark.text.empty());
    EXPECT_TRUE(d.excess.text.empty());
    d.draw(canvas, 600, 300, kWhite);
    EXPECT_NE(canvas.findLabel("基准深圳000001没有数据"), nullptr);
}

TEST_F(ReturnsDialogTest, TheChartShowsTheBenchmarkAndShadesTheFall) {
    ReturnsDialog d = dialog();
    d.OnInitDialog();
    d.typeText(d.benchmarkCode, "000001");
    d.draw(canvas, 600, 300, kWhite);
    EXPECT_NE(canvas.findLabel("帐户总资产"), nullptr);
    EXPECT_NE(canvas.findLabel("基准上海000001"), nullptr);
    EXPECT_NE(canvas.findLabel("最大回撤"), nullptr);
    EXPECT_TRUE(std::any_of(canvas.lines.begin(), canvas.lines.end(), [](const auto& l) {
        return l.colour == ReturnsDialog::kBenchmarkColour;
    }));
    // The shaded span ends at the trough, the last day but two of the 365.
    const CurveOverlay shade;
    const auto shaded = std::find_if(canvas.fills.begin(), canvas.fills.end(), [&](const auto& f) {
        return f.colour == shade.shadeColour && f.rect.top == 0;
    });
    ASSERT_NE(shaded, canvas.fills.end());
    EXPECT_GT(shaded->rect.width(), 0);
    EXPECT_LT(shaded->rect.right, 600);
    EXPECT_EQ(shaded->rect.bottom, 300 - ReturnsDialog::kLegendHeight);
}

TEST_F(ReturnsDialogTest, EmptyStatesSayWhy) {
    ReturnsDialog d = dialog();
    d.OnInitDialog();
    d.pickDate(d.from, 20231231);
    d.pickDate(d.to, 20231230);
    EXPECT_EQ(d.notice(), kFromAfterToNotice);
    EXPECT_EQ(d.table.rowCount, 0u);
    EXPECT_TRUE(d.irr.text.empty());
    EXPECT_TRUE(d.endValue.text.empty());
    d.draw(canvas, 400, 200, kWhite);
    EXPECT_NE(canvas.findLabel(kFromAfterToNotice), nullptr);

    ledger.clear();
    ReturnsDialog none = dialog();
    none.OnInitDialog();
    EXPECT_EQ(none.notice(), kNoRecordsNotice);
    EXPECT_FALSE(none.runAction("数据打印"));
    EXPECT_TRUE(output.printed.empty());

    // A purchase of a stock without bars and no money in: no value to draw.
    ledger = {test::stockRecord(RecordType::Buy, 20230103, "000002", 100, 10, 0, 0)};
    ReturnsDialog noBars = dialog();
    noBars.OnInitDialog();
    test::RecordingCanvas empty;
    noBars.draw(empty, 400, 200, kWhite);
    EXPECT_NE(empty.findLabel("没有数据"), nullptr);
}

TEST_F(ReturnsDialogTest, PrintsTheTableAsShown) {
    ReturnsDialog d = dialog();
    d.OnInitDialog();
    ASSERT_TRUE(d.pressKey("Ctrl+P"));
    ASSERT_EQ(output.printed.size(), 1u);
    EXPECT_EQ(output.titles[0], "收益分析打印");
    const ListTable& printed = output.printed[0];
    ASSERT_EQ(printed.rows.size(), 2u);
    EXPECT_EQ(printed.columns.size(), d.table.columns.size());
    for (std::size_t c = 0; c < printed.columns.size(); ++c)
        EXPECT_EQ(printed.rows[1][c], d.table.cellText(1, c));
}

}  // namespace
}  // namespace fiscora::ui

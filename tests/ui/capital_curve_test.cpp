#include "ui/analysis/capital_curve.h"

#include <gtest/gtest.h>

#include "support/builders.h"
#include "support/capital_series_data.h"
#include "support/recording_canvas.h"
#include "support/temp_dir.h"

namespace fiscora::ui {
namespace {

using test::stockRecord;

constexpr Rgb kFace{240, 240, 240};
constexpr std::int32_t kToday = 20240306;  // a Wednesday

DayBar bar(std::int32_t date, std::uint32_t close) {
    DayBar b{};
    b.date = date;
    for (auto& p : b.prices) p = close;
    return b;
}

// Two stocks held, one sold out, bars up to yesterday; today comes from the quotes.
class CapitalCurveTest : public ::testing::Test {
protected:
    CapitalCurveTest() {
        test::writeDayBarFile(dir.path(), {0, "000001"},
                              {bar(20240304, 1000), bar(20240305, 1100)});
        test::writeDayBarFile(dir.path(), {1, "600036"},
                              {bar(20240304, 3000), bar(20240305, 3000)});
        ledger = {test::cashRecord(RecordType::CashIn, 20240301, 100000),
                  stockRecord(RecordType::Buy, 20240304, "000001", 100, 10, 0, 0),
                  stockRecord(RecordType::Buy, 20240304, "600519", 100, 10, 0, 1),
                  stockRecord(RecordType::Sell, 20240305, "600519", 100, 10, 0, 1),
                  stockRecord(RecordType::Buy, 20240305, "600036", 200, 30, 0, 1)};
    }

    SeriesPrices prices() {
        return {dir.path(),
                [this](std::string_view, std::int32_t) {
                    ++latestAsked;
                    return 12.0;
                },
                kToday};
    }

    test::TempDir dir;
    Ledger ledger;
    int latestAsked = 0;
    test::RecordingCanvas canvas;
};

TEST_F(CapitalCurveTest, TheStockListHoldsTheOpenPositionsWithTheFirstSelected) {
    CapitalCurve curve(ledger, prices());
    EXPECT_EQ(curve.stockEntries(), (std::vector<std::string>{"深圳000001", "上海600036"}));
    EXPECT_EQ(curve.selectedStock(), 0);
    curve.selectStock(5);
    EXPECT_EQ(curve.selectedStock(), -1);
    EXPECT_TRUE(curve.series().empty());

    const Ledger cashOnly = {test::cashRecord(RecordType::CashIn, 20240301, 100)};
    CapitalCurve empty(cashOnly, prices());
    EXPECT_TRUE(empty.stockEntries().empty());
    EXPECT_EQ(empty.selectedStock(), -1);
    empty.setTotal(true);
    EXPECT_TRUE(empty.series().empty());
}

TEST_F(CapitalCurveTest, EachChoicesSeriesIsComputedOnce) {
    CapitalCurve curve(ledger, prices());
    curve.draw(canvas, 300, 200, kFace);
    curve.draw(canvas, 300, 200, kFace);
    EXPECT_EQ(latestAsked, 1);  // today's point of 000001, once
    EXPECT_EQ(curve.series().size(), 3u);
    EXPECT_EQ(curve.series().back().close, 100 * 12.0);

    curve.setTotal(true);
    curve.draw(canvas, 300, 200, kFace);
    // From the first record (1 March); the sold-out 600519 has no bars and adds nothing.
    ASSERT_EQ(curve.series().size(), 6u);
    EXPECT_EQ(curve.series()[3].close, 100 * 10.0 + 100000 - 1000 - 1000);
    curve.setTotal(false);
    curve.setStyle(CurveStyle::Bars);
    const int asked = latestAsked;
    curve.draw(canvas, 300, 200, kFace);
    EXPECT_EQ(latestAsked, asked);
}

TEST_F(CapitalCurveTest, ReadOutsGiveTheDateTheCurvesValueAndTheDaysRecords) {
    CapitalCurve curve(ledger, prices());
    for (CurveStyle style : {CurveStyle::Bars, CurveStyle::Curve}) {
        curve.setStyle(style);
        curve.draw(canvas, 355, 200, kFace);  // three days of 100 pixels
        // The value is the day's, whatever the mouse's height (above the bar too).
        EXPECT_EQ(curve.tooltipAt({60, 5}), "2024年3月4日\n市值:1000.000\n当日流水帐:1笔");
        EXPECT_EQ(curve.tooltipAt({160, 199}), "2024年3月5日\n市值:1100.000\n当日没有流水帐");
        EXPECT_EQ(curve.tooltipAt({20, 199}), std::nullopt);
    }
    // The whole account's value holds the cash: 总资产. Its day counts every record.
    curve.setTotal(true);
    curve.draw(canvas, 355, 200, kFace);  // 1 to 6 March, 50 pixels a day
    EXPECT_EQ(curve.tooltipAt({210, 100}), "2024年3月4日\n总资产:99000.000\n当日流水帐:2笔");
    EXPECT_EQ(curve.tooltipAt({60, 100}), "2024年3月1日\n总资产:100000.000\n当日流水帐:1笔");
}

TEST_F(CapitalCurveTest, AnAreaWithoutACurveSaysWhy) {
    const auto notice = [this](CapitalCurve& curve) {
        test::RecordingCanvas c;
        curve.draw(c, 355, 200, kFace);
        return c.labels.size() == 1 ? c.labels[0].text : std::string();
    };
    CapitalCurve curve(ledger, prices());
    EXPECT_EQ(notice(curve), "");  // a curve, with its axis labels
    curve.selectStock(-1);
    EXPECT_EQ(notice(curve), "没有选中股票");
    EXPECT_FALSE(curve.rightClick({200, 100}));

    const Ledger cashOnly = {test::cashRecord(RecordType::CashIn, 20240301, 100)};
    CapitalCurve noStocks(cashOnly, prices());
    EXPECT_EQ(notice(noStocks), "没有持仓");
    noStocks.setTotal(true);
    EXPECT_EQ(notice(noStocks), "没有持仓");

    // A stock without bar files and without a price has days but no values.
    const Ledger unpriced = {stockRecord(RecordType::Buy, 20240305, "300001", 100, 10, 0, 0)};
    CapitalCurve blank(unpriced,
                       {dir.path(), [](std::string_view, std::int32_t) { return 0.0; }, kToday});
    EXPECT_EQ(notice(blank), "没有数据");
    EXPECT_EQ(blank.tooltipAt({200, 100}), std::nullopt);
}

TEST_F(CapitalCurveTest, ARightClickOnADayAsksForThatDaysLedger) {
    CapitalCurve curve(ledger, prices());
    curve.selectStock(1);
    curve.draw(canvas, 355, 200, kFace);  // 600036: 5 and 6 March
    EXPECT_FALSE(curve.rightClick({20, 50}));
    EXPECT_EQ(curve.dayLedger(), std::nullopt);
    EXPECT_TRUE(curve.rightClick({300, 50}));
    EXPECT_EQ(curve.dayLedger(), LedgerFilter::oneDay(20240306, "600036"));

    curve.setTotal(true);
    curve.draw(canvas, 355, 200, kFace);
    EXPECT_TRUE(curve.rightClick({60, 50}));
    EXPECT_EQ(curve.dayLedger(), LedgerFilter::oneDay(20240301));
}

}  // namespace
}  // namespace fiscora::ui

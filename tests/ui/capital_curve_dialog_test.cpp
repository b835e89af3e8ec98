#include "ui/analysis/capital_curve_dialog.h"

#include <gtest/gtest.h>

#include "support/builders.h"
#include "support/capital_series_data.h"
#include "support/recording_canvas.h"
#include "support/temp_dir.h"

namespace fiscora::ui {
namespace {

// One stock held from 4 March, today 5 March; its bars up to the 4th.
class CapitalCurveDialogTest : public ::testing::Test {
protected:
    CapitalCurveDialogTest() {
        DayBar bar{};
        bar.date = 20240304;
        for (auto& p : bar.prices) p = 1000;
        test::writeDayBarFile(dir.path(), {1, "600036"}, {bar});
    }

    CapitalCurveDialog dialog(CapitalCurveDialog::DayLedgerOpener opener = {}) {
        return {messages, "张三", ledger, {dir.path(), {}, 20240305}, std::move(opener)};
    }

    test::TempDir dir;
    test::RecordingMessages messages;
    Ledger ledger = {test::cashRecord(RecordType::CashIn, 20240301, 5000),
                     test::stockRecord(RecordType::Buy, 20240304, "600036", 100, 10, 0, 1)};
    test::RecordingCanvas canvas;
};

TEST_F(CapitalCurveDialogTest, OpensOnTheFirstStockAsACurve) {
    CapitalCurveDialog d = dialog();
    d.OnInitDialog();
    EXPECT_EQ(d.caption(), "资金曲线 -[张三]");
    EXPECT_EQ(d.buttons().confirm, "退出");
    EXPECT_TRUE(d.buttons().cancel.empty());
    EXPECT_EQ(d.stocks.items, (std::vector<std::string>{"上海600036"}));
    EXPECT_EQ(d.stocks.selected, 0);
    EXPECT_EQ(d.drawing.items, (std::vector<std::string>{"画曲线图", "画柱状图"}));
    EXPECT_EQ(d.drawing.selected, 0);
    EXPECT_EQ(d.curve().style(), CurveStyle::Curve);
    EXPECT_FALSE(d.total.checked);
    EXPECT_EQ(d.curve().series().size(), 2u);
}

TEST_F(CapitalCurveDialogTest, TheControlsChooseStyleAndSeries) {
    CapitalCurveDialog d = dialog();
    d.pickItem(d.drawing, 1);
    EXPECT_EQ(d.curve().style(), CurveStyle::Bars);
    d.setChecked(d.total, true);
    EXPECT_FALSE(d.stocks.enabled);
    EXPECT_EQ(d.curve().series().size(), 5u);  // from the deposit on the 1st
    d.setChecked(d.total, false);
    EXPECT_TRUE(d.stocks.enabled);
    d.pickItem(d.stocks, -1);
    EXPECT_TRUE(d.curve().series().empty());
}

TEST_F(CapitalCurveDialogTest, TheDayMenuOpensTheLedgerOfThatDayAndStock) {
    std::vector<LedgerFilter> asked;
    CapitalCurveDialog d = dialog([&](const LedgerFilter& f) { asked.push_back(f); });
    d.curve().draw(canvas, 255, 100, {240, 240, 240});
    EXPECT_FALSE(d.OnRightClick({10, 50}));
    EXPECT_TRUE(d.OnRightClick({60, 50}));
    EXPECT_TRUE(d.runAction("显示当日相关流水帐"));
    EXPECT_EQ(asked, (std::vector<LedgerFilter>{LedgerFilter::oneDay(20240304, "600036")}));
    // Without a way to open the ledger view the entry cannot run.
    EXPECT_FALSE(dialog().runAction("显示当日相关流水帐"));
}

TEST_F(CapitalCurveDialogTest, ADayWithoutRecordsSaysSoInsteadOfOpeningAnEmptyList) {
    std::vector<LedgerFilter> asked;
    CapitalCurveDialog d = dialog([&](const LedgerFilter& f) { asked.push_back(f); });
    d.setChecked(d.total, true);
    d.curve().draw(canvas, 255, 100, {240, 240, 240});  // 1 to 5 March, 40 pixels a day
    ASSERT_TRUE(d.OnRightClick({100, 50}));             // 2 March: the cash, no record
    d.runAction("显示当日相关流水帐");
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"当日没有流水帐"});
    ASSERT_TRUE(d.OnRightClick({60, 95}));  // 1 March: the deposit
    d.runAction("显示当日相关流水帐");
    EXPECT_EQ(asked, (std::vector<LedgerFilter>{LedgerFilter::oneDay(20240301)}));
}

}  // namespace
}  // namespace fiscora::ui

#include "ui/analysis/chart_dialog.h"

#include <gtest/gtest.h>

#include "support/builders.h"
#include "support/recording_canvas.h"
#include "support/temp_dir.h"

namespace fiscora::ui {
namespace {

using test::RecordingCanvas;
using test::RecordingMessages;

// Keeps the last picture shown, as the window's chart area does.
class RecordingSurface : public ChartSurface {
public:
    bool compose(const std::function<bool(ReportCanvas&)>& draw) override {
        RecordingCanvas canvas;
        if (!draw(canvas)) return false;
        shown = canvas;
        ++pictures;
        return true;
    }
    ReportRect area() const override { return {0, 0, 620, 400}; }
    Rgb face() const override { return {212, 208, 200}; }

    RecordingCanvas shown;
    int pictures = 0;
};

std::vector<HoldingRow> stocks(int n) {
    return test::numberedStocks(n, [](int i) { return 10.0 * (i + 1); });
}

struct Opened {
    Opened(int n, ChartKind kind) : dialog(messages, "演示帐户", stocks(n), kind) {
        dialog.attach(surface);
        dialog.OnInitDialog();
    }
    RecordingMessages messages;
    RecordingSurface surface;
    ChartDialog dialog;
};

TEST(ChartDialog, OpensInTheRequestedKindOnTheStocks) {
    Opened bars(3, ChartKind::Profit);
    EXPECT_EQ(bars.dialog.caption(), "图表分析-[演示帐户]");
    EXPECT_EQ(bars.dialog.buttons().confirm, "关闭");
    EXPECT_EQ(bars.surface.shown.fills.size(), 4u);
    EXPECT_EQ(bars.surface.shown.fills[0].colour, (Rgb{212, 208, 200}));  // the view's face

    Opened pie(3, ChartKind::ProfitShare);
    EXPECT_EQ(pie.dialog.kindRadios.selected, 3);
    EXPECT_EQ(pie.dialog.scopeRadios.selected, 0);
    EXPECT_EQ(pie.surface.shown.pies.size(), 3u);
    EXPECT_EQ(pie.dialog.legend().size(), 3u);
    EXPECT_EQ(pie.dialog.pagingButtons(), PagingButtons{});
}

TEST(ChartDialog, RadiosSwitchKindAndScope) {
    Opened o(3, ChartKind::Profit);
    o.dialog.pickItem(o.dialog.kindRadios, 2);
    EXPECT_EQ(o.surface.shown.pies.size(), 3u);
    o.dialog.pickItem(o.dialog.scopeRadios, 1);
    EXPECT_EQ(o.surface.shown.pies.size(), 1u);
    EXPECT_TRUE(o.dialog.legend().empty());
    o.dialog.pickItem(o.dialog.kindRadios, 0);
    ASSERT_EQ(o.surface.shown.labels.size(), 1u);
    EXPECT_EQ(o.surface.shown.labels[0].text, "60.000");
    EXPECT_EQ(o.dialog.OnMouseMove({10, 100}), "60.000");
}

TEST(ChartDialog, PagingButtonsAndKeysMoveTheBars) {
    Opened o(12, ChartKind::Profit);
    EXPECT_EQ(o.dialog.pagingButtons(), (PagingButtons{false, true, false, true}));
    EXPECT_TRUE(o.dialog.pressKey("PgDown"));
    EXPECT_EQ(o.dialog.pagingButtons(), (PagingButtons{true, true, true, false}));
    EXPECT_EQ(o.dialog.OnMouseMove({5, 199}), "600009\n股票9\n100.000");
    o.dialog.pressKey("Left");
    o.dialog.pressKey("Up");
    EXPECT_EQ(o.dialog.pagingButtons(), (PagingButtons{false, true, false, true}));
    o.dialog.pressKey("Right");
    EXPECT_TRUE(o.dialog.runAction("向后翻页"));
    // 10 + 9 is past the end: the key is taken, the button cannot run.
    EXPECT_TRUE(o.dialog.pressKey("Down"));
    EXPECT_FALSE(o.dialog.runAction("向后翻页"));
    EXPECT_EQ(o.dialog.pagingButtons(), (PagingButtons{true, true, true, false}));
    const int shown = o.surface.pictures;
    o.dialog.pressKey("Right");
    o.dialog.pressKey("Right");  // the last item is first already: nothing drawn
    EXPECT_EQ(o.surface.pictures, shown + 1);
    EXPECT_EQ(o.dialog.pagingButtons(), (PagingButtons{true, false, true, false}));
}

TEST(ChartDialog, NoHoldingsShowTheNoticeAndNoSurfaceDrawsNothing) {
    Opened empty(0, ChartKind::Profit);
    ASSERT_EQ(empty.surface.pictures, 2);  // kind 0, then the kind asked for
    ASSERT_EQ(empty.surface.shown.labels.size(), 1u);
    EXPECT_EQ(empty.surface.shown.labels[0].text, "没有持仓");
    empty.dialog.pickItem(empty.dialog.kindRadios, 3);
    empty.dialog.pressKey("Down");  // no paging: nothing new drawn
    EXPECT_EQ(empty.surface.pictures, 3);
    EXPECT_EQ(empty.dialog.pagingButtons(), PagingButtons{});
    EXPECT_EQ(empty.dialog.OnMouseMove({10, 10}), std::nullopt);

    RecordingMessages messages;
    ChartDialog headless(messages, "演示帐户", stocks(3), ChartKind::Profit);
    headless.OnInitDialog();
    EXPECT_TRUE(headless.OnConfirm());
    EXPECT_EQ(headless.OnMouseMove({10, 100}), std::nullopt);
}

}  // namespace
}  // namespace fiscora::ui

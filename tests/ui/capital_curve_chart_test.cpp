#include "ui/analysis/capital_curve_chart.h"

#include <gtest/gtest.h>

#include "support/recording_canvas.h"

namespace fiscora::ui {
namespace {

using test::RecordingCanvas;

constexpr Rgb kFace{240, 240, 240};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kWhite{255, 255, 255};

// Points whose close is `closes[i]` and whose high is `high`.
DaySeries series(const std::vector<double>& closes, double high) {
    DaySeries s;
    for (std::size_t i = 0; i < closes.size(); ++i)
        s.push_back({high, 0, closes[i], 0, 20240101 + static_cast<std::int32_t>(i)});
    return s;
}

DaySeries flat(std::size_t n) {
    return series(std::vector<double>(n, 50), 100);
}

TEST(CapitalCurveChart, BarsFillTheirSlotsInTheColourOfTheirMove) {
    // 100 pixels right of the axis for 4 days: slots of 25; 1 pixel per 10 of value.
    RecordingCanvas canvas;
    CapitalCurveChart chart;
    chart.DrawCurve(canvas, series({500, 700, 300, 300}, 1000), CurveStyle::Bars, 155, 100, kFace);

    EXPECT_DOUBLE_EQ(chart.scale(), 0.1);
    const std::vector<ReportRect> rects = {
        {55, 50, 80, 100}, {80, 30, 105, 100}, {105, 70, 130, 100}, {130, 70, 155, 100}};
    EXPECT_EQ(chart.dayRects(), rects);
    // The area cleared, then each bar: its outline in the face colour, its inside coloured.
    const std::vector<RecordingCanvas::Fill> fills = {
        {{0, 0, 155, 100}, kFace},    {rects[0], kFace},
        {{56, 51, 79, 99}, kRed},     {rects[1], kFace},
        {{81, 31, 104, 99}, kRed},    {rects[2], kFace},
        {{106, 71, 129, 99}, kGreen}, {rects[3], kFace},
        {{131, 71, 154, 99}, kWhite}};
    EXPECT_EQ(canvas.fills, fills);
    EXPECT_TRUE(canvas.ellipses.empty());
}

TEST(CapitalCurveChart, AnOverlaySharesTheScaleAndShadesItsSpanBehindTheSeries) {
    // 4 days in slots of 25; the overlay's 2000 sets the scale: 1 pixel per 20 of value.
    RecordingCanvas canvas;
    CapitalCurveChart chart;
    CurveOverlay overlay;
    overlay.line = {1000, 0, 2000, 1800};
    overlay.shaded = {{1, 2}};
    ASSERT_TRUE(chart.DrawCurve(canvas, series({500, 700, 300, 300}, 1000), CurveStyle::Curve, 155,
                                100, kFace, overlay));
    EXPECT_DOUBLE_EQ(chart.scale(), 0.05);
    // Cleared, then the span of the second and third day, before anything else.
    ASSERT_GE(canvas.fills.size(), 2u);
    EXPECT_EQ(canvas.fills[1], (RecordingCanvas::Fill{{80, 0, 130, 100}, overlay.shadeColour}));
    // The overlay breaks at its zero: only the third day joins the fourth.
    std::vector<RecordingCanvas::Line> blue;
    for (const auto& l : canvas.lines) {
        if (l.colour == overlay.lineColour) blue.push_back(l);
    }
    EXPECT_EQ(blue, (std::vector<RecordingCanvas::Line>{{117, 0, 142, 10, overlay.lineColour}}));
    // A span beyond the days shades nothing.
    RecordingCanvas other;
    overlay.shaded = {{2, 9}};
    chart.DrawCurve(other, series({500, 700, 300, 300}, 1000), CurveStyle::Curve, 155, 100, kFace,
                    overlay);
    EXPECT_EQ(other.fills.size(), 1u);
}

TEST(CapitalCurveChart, TheCurveJoinsSlotCentresAndBreaksAtZero) {
    RecordingCanvas canvas;
    CapitalCurveChart chart;
    chart.DrawCurve(canvas, series({500, 700, 0, 300, 400}, 1000), CurveStyle::Curve, 155, 100,
                    kFace);
    // Slots of 20: centres at 65, 85, 105, 125, 145. The first point starts nothing; the
    // zero on the third day leaves out the lines into and out of it.
    std::vector<RecordingCanvas::Line> curve;
    for (const auto& l : canvas.lines)
        if (l.colour == kBlack) curve.push_back(l);
    EXPECT_EQ(curve, (std::vector<RecordingCanvas::Line>{{65, 50, 85, 30, kBlack},
                                                         {125, 70, 145, 60, kBlack}}));
    ASSERT_EQ(canvas.ellipses.size(), 5u);
    EXPECT_EQ(canvas.ellipses[0], (RecordingCanvas::Ellipse{{63, 48, 67, 52}, kRed, kRed}));
    EXPECT_EQ(canvas.ellipses[2].bounds, (ReportRect{103, 98, 107, 102}));
}

TEST(CapitalCurveChart, MarkersShrinkAt30DaysAndVanishAt60) {
    auto markers = [](std::size_t n) {
        RecordingCanvas canvas;
        CapitalCurveChart chart;
        chart.DrawCurve(canvas, flat(n), CurveStyle::Curve, 655, 100, kFace);
        return canvas.ellipses;
    };
    EXPECT_EQ(markers(29).size(), 29u);
    EXPECT_EQ(markers(29)[0].bounds.width(), 4);
    EXPECT_EQ(markers(30).size(), 30u);
    EXPECT_EQ(markers(30)[0].bounds.width(), 2);
    EXPECT_EQ(markers(59)[0].bounds.width(), 2);
    EXPECT_TRUE(markers(60).empty());
}

TEST(CapitalCurveChart, TheAxisHasFiveRedTicksWithRightAlignedValues) {
    RecordingCanvas canvas;
    CapitalCurveChart chart;
    chart.DrawCurve(canvas, series({500}, 1000), CurveStyle::Bars, 155, 103, kFace);
    // H = 103: ticks every 20 pixels from the bottom, values every 20 / scale.
    EXPECT_EQ(canvas.lines[0], (RecordingCanvas::Line{54, 0, 54, 103, kRed}));
    ASSERT_EQ(canvas.lines.size(), 6u);
    EXPECT_EQ(canvas.lines[5], (RecordingCanvas::Line{54, 23, 50, 23, kRed}));
    ASSERT_EQ(canvas.labels.size(), 5u);
    const double step = 20 / (103 / 1000.0);
    EXPECT_EQ(canvas.labels[0].text, "0.0");
    EXPECT_EQ(canvas.labels[1].text, axisLabel(step));
    EXPECT_EQ(canvas.labels[4].text, axisLabel(4 * step));
    const auto& top = canvas.labels[4];
    EXPECT_EQ(top.rect, (ReportRect{0, 23 - top.font.height, 53, 23}));
    EXPECT_EQ(top.style.horizontal, ColumnAlign::Right);
    EXPECT_EQ(top.style.vertical, VerticalAlign::Bottom);
    EXPECT_EQ(top.style.colour, kRed);
    EXPECT_EQ(top.style.background, kWhite);
}

TEST(CapitalCurveChart, AxisLabelsSwitchTo10ThousandsAndTo100Millions) {
    EXPECT_EQ(axisLabel(0), "0.0");
    EXPECT_EQ(axisLabel(9999.94), "9999.9");
    EXPECT_EQ(axisLabel(10000), "1.0万");
    EXPECT_EQ(axisLabel(1000000000), "100000.0万");
    EXPECT_EQ(axisLabel(1000000001), "10.0亿");
}

TEST(CapitalCurveChart, MoreDaysThanPixelsShareThemAndStillFit) {
    RecordingCanvas canvas;
    CapitalCurveChart chart;
    // 400 days on 100 pixels: a quarter pixel each, the last ending at the right edge.
    chart.DrawCurve(canvas, flat(400), CurveStyle::Bars, 155, 100, kFace);
    ASSERT_EQ(chart.dayRects().size(), 400u);
    EXPECT_EQ(chart.dayRects().front().left, 55);
    EXPECT_EQ(chart.dayRects().back().right, 155);
    int drawnColumns = 0;
    for (const auto& f : canvas.fills) drawnColumns += f.rect.width() == 1 ? 1 : 0;
    EXPECT_EQ(drawnColumns, 100);
    // Each pixel column holds the last day that starts in it.
    EXPECT_EQ(chart.NearestPoint(55), 3);
    EXPECT_EQ(chart.NearestPoint(60), 23);
    EXPECT_EQ(chart.NearestPoint(154), 399);
    EXPECT_EQ(chart.NearestPoint(155), -1);
    EXPECT_EQ(chart.NearestPoint(54), -1);
}

TEST(CapitalCurveChart, AnySpanOfDaysFillsTheWholeWidth) {
    // A year on a plot of 600 pixels: 1.64 pixels a day, the last day ending at the edge;
    // a week gets 85 or 86 pixels a day.
    for (std::size_t days : {366u, 7u}) {
        RecordingCanvas canvas;
        CapitalCurveChart chart;
        ASSERT_TRUE(chart.DrawCurve(canvas, flat(days), CurveStyle::Bars, 655, 100, kFace));
        const auto& rects = chart.dayRects();
        ASSERT_EQ(rects.size(), days);
        EXPECT_EQ(rects.front().left, 55);
        EXPECT_EQ(rects.back().right, 655);
        for (std::size_t i = 1; i < days; ++i) {
            EXPECT_EQ(rects[i].left, rects[i - 1].right) << i;
            EXPECT_LE(rects[i].width(), 600 / static_cast<int>(days) + 1) << i;
        }
    }
}

TEST(CapitalCurveChart, TheMousePicksTheNearestDayWithAPointAtAnyHeight) {
    RecordingCanvas canvas;
    CapitalCurveChart chart;
    // Slots of 20 from x = 55; the days 1, 2 and 4 have no value.
    const DaySeries s = series({500, 0, 0, 300, 0}, 1000);
    for (CurveStyle style : {CurveStyle::Bars, CurveStyle::Curve}) {
        ASSERT_TRUE(chart.DrawCurve(canvas, s, style, 155, 100, kFace));
        EXPECT_EQ(chart.NearestPoint(60), 0);  // on a day with a point
        EXPECT_EQ(chart.NearestPoint(84), 0);  // day 1, next to day 0
        EXPECT_EQ(chart.NearestPoint(94), 0);  // nearer day 0's middle (65) than day 3's (125)
        EXPECT_EQ(chart.NearestPoint(95), 3);
        EXPECT_EQ(chart.NearestPoint(154), 3);  // past the last point
        EXPECT_EQ(chart.NearestPoint(20), -1);  // left of the plot
    }
}

TEST(CapitalCurveChart, NothingToDrawLeavesTheClearedAreaAndHitsNothing) {
    for (const DaySeries& s : {DaySeries{}, series({0, 0, 0}, 0), series({-5, -5}, -1)}) {
        RecordingCanvas canvas;
        CapitalCurveChart chart;
        EXPECT_FALSE(chart.DrawCurve(canvas, s, CurveStyle::Curve, 300, 200, kFace));
        EXPECT_EQ(canvas.fills, (std::vector<RecordingCanvas::Fill>{{{0, 0, 300, 200}, kFace}}));
        EXPECT_TRUE(canvas.lines.empty());
        EXPECT_TRUE(canvas.labels.empty());
        EXPECT_EQ(chart.NearestPoint(100), -1);
    }
    // An area without room right of the axis draws no plot either.
    RecordingCanvas canvas;
    CapitalCurveChart chart;
    EXPECT_FALSE(chart.DrawCurve(canvas, flat(3), CurveStyle::Bars, 55, 200, kFace));
    EXPECT_EQ(canvas.fills.size(), 1u);
    EXPECT_EQ(chart.NearestPoint(54), -1);
}

}  // namespace
}  // namespace fiscora::ui

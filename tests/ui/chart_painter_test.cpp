#include "ui/analysis/chart_painter.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/recording_canvas.h"

namespace fiscora::ui {
namespace {

using test::RecordingCanvas;

constexpr Rgb kFace{240, 240, 240};
// 620 x 400: slot width (620 - 25) / 17 = 35, half height (400 - 100) / 2 = 150, zero line 200.
constexpr ReportRect kBarArea{0, 0, 620, 400};
// 400 x 300: radius 150, centre (200, 150).
constexpr ReportRect kPieArea{0, 0, 400, 300};

ChartSeries labelled(std::vector<double> values) {
    ChartSeries s;
    for (std::size_t i = 0; i < values.size(); ++i) {
        s.codeLabels.push_back("c" + std::to_string(i));
        s.valueLabels.push_back("v" + std::to_string(i));
        s.nameLabels.push_back("n" + std::to_string(i));
    }
    s.values = std::move(values);
    return s;
}

// The bars drawn, without the background fill.
std::vector<RecordingCanvas::Fill> bars(const RecordingCanvas& c) {
    return {c.fills.begin() + 1, c.fills.end()};
}

TEST(ChartPainterBars, SlotsEndsAxesAndLabelsAboveAndBelow) {
    ChartPainter painter(kFace);
    RecordingCanvas c;
    ASSERT_TRUE(painter.DrawBars(c, kBarArea, labelled({100, 50, -25}), 0));
    EXPECT_EQ(painter.mode(), ChartMode::Bars);
    EXPECT_EQ(c.fills.front(), (RecordingCanvas::Fill{kBarArea, kFace}));
    EXPECT_EQ(c.lines, (std::vector<RecordingCanvas::Line>{{2, 2, 2, 398}, {2, 200, 618, 200}}));
    // 100 of 100 reaches 50 below the top; 50 ends half way; -25 hangs to
    // trunc(400 - 50 - 0.75 * 150) = 237, its rows 201 to 237.
    EXPECT_EQ(bars(c), (std::vector<RecordingCanvas::Fill>{{{3, 50, 38, 200}, {255, 0, 0}},
                                                           {{73, 125, 108, 200}, {0, 0, 255}},
                                                           {{143, 201, 178, 238}, {0, 255, 0}}}));
    const auto at = [&](const char* text) {
        const auto* label = c.findLabel(text);
        return label ? CanvasPoint{label->rect.left, label->rect.top} : CanvasPoint{-1, -1};
    };
    EXPECT_EQ(at("v0"), (CanvasPoint{3, 50 - 41}));
    EXPECT_EQ(at("c0"), (CanvasPoint{3, 50 - 29}));
    EXPECT_EQ(at("n0"), (CanvasPoint{3, 50 - 15}));
    EXPECT_EQ(at("v2"), (CanvasPoint{143, 237 + 1}));
    EXPECT_EQ(at("c2"), (CanvasPoint{143, 237 + 14}));
    EXPECT_EQ(at("n2"), (CanvasPoint{143, 237 + 29}));
    const auto* code = c.findLabel("c0");
    EXPECT_EQ(code->font, ChartPainter::kLabelFont);
    EXPECT_EQ(code->style.background, kFace);
    EXPECT_EQ(c.findLabel("n0")->font, ChartPainter::kNameFont);
}

TEST(ChartPainterBars, EndsNearTheZeroLineAreNudgedTwoPixelsAway) {
    ChartPainter painter(kFace);
    RecordingCanvas c;
    // 0 ends on the line; 0.5 at 199; -0.5 at trunc(200.75) = 200; -1 at 201.
    ASSERT_TRUE(painter.DrawBars(c, kBarArea, labelled({100, 0, 0.5, -0.5, -1}), 0));
    const auto drawn = bars(c);
    ASSERT_EQ(drawn.size(), 5u);
    EXPECT_EQ(drawn[1].rect, (ReportRect{73, 198, 108, 200}));
    EXPECT_EQ(drawn[2].rect, (ReportRect{143, 198, 178, 200}));
    EXPECT_EQ(drawn[3].rect, (ReportRect{213, 201, 248, 203}));
    EXPECT_EQ(drawn[4].rect, (ReportRect{283, 201, 318, 203}));
}

TEST(ChartPainterBars, ScaleComesFromEveryItemAndAbsentLabelsDrawNothing) {
    ChartPainter painter(kFace);
    RecordingCanvas c;
    ChartSeries s;
    s.values = {100, 0, 0, 0, 0, 0, 0, 0, 0, -200};
    s.valueLabels = {"only the value"};
    ASSERT_TRUE(painter.DrawBars(c, kBarArea, s, 0));
    EXPECT_EQ(bars(c).size(), 9u);
    EXPECT_EQ(bars(c)[0].rect.top, 125);  // 100 of 200, though 200 is off the page
    ASSERT_EQ(c.labels.size(), 1u);
    EXPECT_EQ(c.labels[0].text, "only the value");
}

TEST(ChartPainterBars, AllZeroDrawsNeitherAxesNorBarsAndHitsNothing) {
    ChartPainter painter(kFace);
    RecordingCanvas c;
    ASSERT_TRUE(painter.DrawBars(c, kBarArea, labelled({0, 0, 0}), 0));
    EXPECT_EQ(c.fills.size(), 1u);
    EXPECT_TRUE(c.lines.empty());
    EXPECT_TRUE(c.labels.empty());
    EXPECT_EQ(painter.HitTest({5, 199}), -1);
}

TEST(ChartPainterBars, NineAPageAndPagingForwardOnlyByWholeSteps) {
    ChartPainter painter(kFace);
    RecordingCanvas first;
    std::vector<double> values(21, 1.0);
    ASSERT_TRUE(painter.DrawBars(first, kBarArea, labelled(values), 0));
    EXPECT_EQ(bars(first).size(), 9u);

    RecordingCanvas c;
    EXPECT_TRUE(painter.StepPage(c, true));
    EXPECT_EQ(painter.firstVisible(), 9);
    EXPECT_TRUE(painter.StepPage(c, true));
    EXPECT_EQ(painter.firstVisible(), 18);
    // 18 + 9 is past the 21 items: it stays, but the page is still redrawn.
    RecordingCanvas last;
    EXPECT_TRUE(painter.StepPage(last, true));
    EXPECT_EQ(painter.firstVisible(), 18);
    ASSERT_EQ(bars(last).size(), 3u);
    EXPECT_EQ(bars(last)[0].rect.left, 3);
    // The 21st item takes the 1st colour again.
    EXPECT_EQ(bars(last)[2].colour, bars(first)[0].colour);
    EXPECT_EQ(paletteColour(20), paletteColour(0));

    EXPECT_TRUE(painter.StepItem(c, true));
    EXPECT_TRUE(painter.StepItem(c, true));
    EXPECT_EQ(painter.firstVisible(), 20);
    RecordingCanvas untouched;
    EXPECT_FALSE(painter.StepItem(untouched, true));  // the last item is first already
    EXPECT_TRUE(untouched.empty());

    EXPECT_TRUE(painter.StepPage(c, false));
    EXPECT_EQ(painter.firstVisible(), 11);
    EXPECT_TRUE(painter.StepPage(c, false));
    EXPECT_EQ(painter.firstVisible(), 2);
    EXPECT_TRUE(painter.StepPage(c, false));
    EXPECT_EQ(painter.firstVisible(), 0);
    EXPECT_FALSE(painter.StepItem(untouched, false));
}

TEST(ChartPainterBars, HitsTheVisibleBarsOnly) {
    ChartPainter painter(kFace);
    RecordingCanvas c;
    std::vector<double> values(12, 10.0);
    values[1] = -10;
    ASSERT_TRUE(painter.DrawBars(c, kBarArea, labelled(values), 0));
    EXPECT_EQ(painter.HitTest({3, 50}), 0);
    EXPECT_EQ(painter.HitTest({37, 199}), 0);
    EXPECT_EQ(painter.HitTest({38, 199}), -1);  // right edge excluded
    EXPECT_EQ(painter.HitTest({20, 49}), -1);   // above the bar
    EXPECT_EQ(painter.HitTest({50, 150}), -1);  // the gap between bars
    EXPECT_EQ(painter.HitTest({80, 201}), 1);   // a hanging bar
    EXPECT_EQ(painter.HitTest({80, 200}), -1);  // the zero line
    ASSERT_TRUE(painter.StepPage(c, true));
    EXPECT_EQ(painter.HitTest({3, 50}), 9);
    EXPECT_EQ(painter.HitTest({143, 100}), 11);
    EXPECT_EQ(painter.HitTest({213, 100}), -1);  // no 13th item
}

TEST(ChartPainterBars, RefusesWhatItCannotDraw) {
    ChartPainter painter(kFace);
    RecordingCanvas c;
    EXPECT_FALSE(painter.DrawBars(c, kBarArea, {}, 0));
    EXPECT_FALSE(painter.DrawBars(c, kBarArea, labelled({1, 2}), 3));
    EXPECT_FALSE(painter.StepPage(c, true));
    EXPECT_FALSE(painter.Repaint(c));
    EXPECT_TRUE(c.empty());
    EXPECT_EQ(painter.mode(), ChartMode::None);
}

TEST(ChartPainterPie, PointsOnTheCircleAreExactAtTheQuarters) {
    EXPECT_EQ(PointOnCircle(150, 0), (CanvasPoint{0, 150}));
    EXPECT_EQ(PointOnCircle(150, 0.25), (CanvasPoint{150, 0}));
    EXPECT_EQ(PointOnCircle(150, 0.5), (CanvasPoint{0, -150}));
    EXPECT_EQ(PointOnCircle(150, 0.75), (CanvasPoint{-150, 0}));
    EXPECT_EQ(PointOnCircle(150, 1), (CanvasPoint{0, 150}));
    EXPECT_EQ(PointOnCircle(150, 1.0 / 8), (CanvasPoint{106, 106}));
    EXPECT_EQ(PointOnCircle(150, 2.0 / 3), (CanvasPoint{-129, -75}));

    constexpr double kPi = 3.1415926535;
    EXPECT_DOUBLE_EQ(AngleOf({0, 5}), 0);
    EXPECT_DOUBLE_EQ(AngleOf({5, 0}), kPi / 2);
    EXPECT_DOUBLE_EQ(AngleOf({0, -5}), kPi);
    EXPECT_DOUBLE_EQ(AngleOf({-5, 0}), 3 * kPi / 2);
    // Between the quarters, atan plus the quarters of the charts' own pi.
    const double eighth = std::atan(1.0);
    EXPECT_DOUBLE_EQ(AngleOf({5, 5}), eighth);
    EXPECT_DOUBLE_EQ(AngleOf({5, -5}), eighth + kPi / 2);
    EXPECT_DOUBLE_EQ(AngleOf({-5, -5}), eighth + kPi);
    EXPECT_DOUBLE_EQ(AngleOf({-5, 5}), eighth + 3 * kPi / 2);
}

TEST(ChartPainterPie, QuarterSlicesRunBetweenTheQuarterPoints) {
    ChartPainter painter(kFace);
    RecordingCanvas c;
    ASSERT_TRUE(painter.DrawPie(c, kPieArea, labelled({1, 1, 1, 1})));
    EXPECT_EQ(painter.mode(), ChartMode::Pie);
    const ReportRect bounds{50, 0, 350, 300};
    // Each sector runs counter-clockwise from its end back to where the previous one ended;
    // the last closes one pixel left of twelve o'clock.
    EXPECT_EQ(c.pies,
              (std::vector<RecordingCanvas::Pie>{{bounds, {350, 150}, {200, 0}, {255, 0, 0}},
                                                 {bounds, {200, 300}, {350, 150}, {0, 0, 255}},
                                                 {bounds, {50, 150}, {200, 300}, {0, 255, 0}},
                                                 {bounds, {199, 0}, {50, 150}, {0, 255, 255}}}));
    EXPECT_TRUE(c.labels.empty());
    EXPECT_EQ(painter.HitTest({260, 90}), 0);
    EXPECT_EQ(painter.HitTest({260, 210}), 1);
    EXPECT_EQ(painter.HitTest({140, 210}), 2);
    EXPECT_EQ(painter.HitTest({140, 90}), 3);
    EXPECT_EQ(painter.HitTest({200, 150}), -1);  // the centre
    EXPECT_EQ(painter.HitTest({200, 50}), -1);   // on a boundary
    EXPECT_EQ(painter.HitTest({340, 40}), -1);   // outside the circle
}

TEST(ChartPainterPie, ASingleSliceClosesOnePixelLeftOfTwelve) {
    ChartPainter painter(kFace);
    RecordingCanvas c;
    ASSERT_TRUE(painter.DrawPie(c, kPieArea, labelled({5})));
    ASSERT_EQ(c.pies.size(), 1u);
    EXPECT_EQ(c.pies[0].from, (CanvasPoint{199, 0}));
    EXPECT_EQ(c.pies[0].to, (CanvasPoint{200, 0}));
    EXPECT_EQ(painter.HitTest({190, 50}), 0);  // just left of twelve o'clock
    EXPECT_EQ(painter.HitTest({300, 200}), 0);
}

TEST(ChartPainterPie, UnevenSlicesAndAZeroTotal) {
    ChartPainter painter(kFace);
    RecordingCanvas c;
    ASSERT_TRUE(painter.DrawPie(c, kPieArea, labelled({2, 1})));
    ASSERT_EQ(c.pies.size(), 2u);
    EXPECT_EQ(c.pies[0].from, (CanvasPoint{200 - 129, 150 + 75}));
    EXPECT_EQ(painter.HitTest({140, 200}), 0);  // a little before eight o'clock
    EXPECT_EQ(painter.HitTest({140, 60}), 1);

    RecordingCanvas none;
    ASSERT_TRUE(painter.DrawPie(none, kPieArea, labelled({0, 0})));
    EXPECT_EQ(none.fills.size(), 1u);
    EXPECT_TRUE(none.pies.empty());
    EXPECT_EQ(painter.HitTest({260, 90}), -1);
    EXPECT_FALSE(painter.StepItem(none, true));  // pies do not page
}

TEST(ChartPainter, RepaintDrawsTheLastChartAgain) {
    ChartPainter painter(kFace);
    RecordingCanvas drawn;
    std::vector<double> values(12, 3.0);
    ASSERT_TRUE(painter.DrawBars(drawn, kBarArea, labelled(values), 0));
    RecordingCanvas paged;
    ASSERT_TRUE(painter.StepItem(paged, true));
    RecordingCanvas again;
    ASSERT_TRUE(painter.Repaint(again));
    EXPECT_EQ(again.fills, paged.fills);
    EXPECT_EQ(again.labels.size(), paged.labels.size());

    ASSERT_TRUE(painter.DrawPie(drawn, kPieArea, labelled({1, 3})));
    RecordingCanvas pie;
    ASSERT_TRUE(painter.Repaint(pie));
    EXPECT_EQ(pie.pies.size(), 2u);
}

}  // namespace
}  // namespace fiscora::ui

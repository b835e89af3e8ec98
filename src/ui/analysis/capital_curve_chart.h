#pragma once

#include <string>
#include <vector>

#include "engine/capital_series.h"
#include "output/report_canvas.h"

namespace fiscora::ui {

// How the capital curve draws its points: one bar per day, or a line through them.
enum class CurveStyle { Bars = 0, Curve = 1 };

// A value of the vertical axis: "%.1f" below 10000, "%.1f万" up to 1000000000, "%.1f亿"
// above.
std::string axisLabel(double value);

// Draws a capital series in the chart area and remembers where each day went, for the
// hit test and the read-outs. The area's top-left corner is (0, 0); the vertical axis runs
// at x = 54 and the days fill the width right of it, one slot each. A slot is a whole number
// of pixels while every day gets at least one; with more days than pixels the slots become
// fractional, so the whole span still fits.
class CapitalCurveChart {
public:
    static constexpr int kAxisX = 54;
    static constexpr int kPlotLeft = 55;
    static constexpr Rgb kRed{255, 0, 0};
    static constexpr Rgb kGreen{0, 255, 0};

    // Clears the area to `face` and draws the series in it. An empty series, one whose
    // largest `high` is not above 0, or an area without room for a plot draws nothing more.
    void DrawCurve(ReportCanvas& canvas, const DaySeries& series, CurveStyle style, int width,
                   int height, Rgb face);

    // The day index under `point`, or -1. Bars: the bar itself must be under it. Curve:
    // the day whose slot holds the point's x, at any height.
    int HitTest(CanvasPoint point) const;

    // The value the vertical axis gives the row `y`.
    double valueAt(int y) const { return (height_ - y) / scale_; }
    // Pixels per unit of value, of the last drawing (1 before any).
    double scale() const { return scale_; }
    // The rectangle of each day, of the last drawing; empty when nothing was drawn.
    const std::vector<ReportRect>& dayRects() const { return rects_; }

private:
    void drawBars(ReportCanvas& canvas, const DaySeries& series, Rgb face) const;
    void drawCurve(ReportCanvas& canvas, const DaySeries& series) const;
    void drawAxis(ReportCanvas& canvas) const;
    int columnAt(int x) const;

    std::vector<ReportRect> rects_;
    CurveStyle style_ = CurveStyle::Curve;
    int height_ = 0;
    double scale_ = 1.0;
    double slot_ = 0;
};

}  // namespace fiscora::ui

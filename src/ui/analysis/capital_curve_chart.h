#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/capital_series.h"
#include "output/report_canvas.h"

namespace fiscora::ui {

// How the capital curve draws its points: one bar per day, or a line through them.
enum class CurveStyle { Bars = 0, Curve = 1 };

// What a chart draws besides its series, on the same scale and over the same days: a
// second line (0 where it has no value, which breaks it) and a span of days shaded behind
// the series.
struct CurveOverlay {
    std::vector<double> line;
    Rgb lineColour{0, 0, 255};
    // The first and the last day of the span, both shaded.
    std::optional<std::pair<std::size_t, std::size_t>> shaded;
    Rgb shadeColour{208, 236, 208};
};

// A value of the vertical axis: "%.1f" below 10000, "%.1f万" up to 1000000000, "%.1f亿"
// above.
std::string axisLabel(double value);

// Draws a capital series in the chart area and remembers where each day went, for the
// read-outs and the right click. The area's top-left corner is (0, 0); the vertical axis runs
// at x = 54 and the days share the whole width right of it, one slot each (a fraction of a
// pixel wide, or many pixels, as the span asks), so any span fills the chart.
class CapitalCurveChart {
public:
    static constexpr int kAxisX = 54;
    static constexpr int kPlotLeft = 55;
    static constexpr Rgb kRed{255, 0, 0};
    static constexpr Rgb kGreen{0, 255, 0};

    // Clears the area to `face` and draws the series in it, with the overlay; false when
    // there was nothing to plot: an empty series, one whose largest `high` (or overlay value)
    // is not above 0, or an area without room right of the axis.
    bool DrawCurve(ReportCanvas& canvas, const DaySeries& series, CurveStyle style, int width,
                   int height, Rgb face, const CurveOverlay& overlay = {});

    // The day under the column `x` when it has a point (a value above 0), else the nearest
    // day that has one, at any height, so the mouse need not find a one-pixel bar; -1
    // outside the plot or when no day has a point.
    int NearestPoint(int x) const;

    // Pixels per unit of value, of the last drawing (1 before any).
    double scale() const { return scale_; }
    // The rectangle of each day, of the last drawing; empty when nothing was drawn.
    const std::vector<ReportRect>& dayRects() const { return rects_; }

private:
    void drawBars(ReportCanvas& canvas, const DaySeries& series, Rgb face) const;
    void drawCurve(ReportCanvas& canvas, const DaySeries& series) const;
    void drawShade(ReportCanvas& canvas, const CurveOverlay& overlay) const;
    void drawLine(ReportCanvas& canvas, const CurveOverlay& overlay) const;
    // The middle of day i's slot, and the height of a value.
    CanvasPoint pointAt(std::size_t i, double value) const;
    void drawAxis(ReportCanvas& canvas) const;
    int columnAt(int x) const;

    std::vector<ReportRect> rects_;
    // The days with a point, ascending.
    std::vector<int> pointed_;
    int height_ = 0;
    double scale_ = 1.0;
    double slot_ = 0;
};

}  // namespace fiscora::ui

#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "output/report_canvas.h"

namespace fiscora::ui {

// What the painter drew last.
enum class ChartMode { None = 0, Bars = 1, Pie = 2, Notice = 3 };

// The items of a chart: a value each and up to three labels per item; an empty label list
// draws no such label.
struct ChartSeries {
    std::vector<double> values;
    std::vector<std::string> codeLabels;
    std::vector<std::string> valueLabels;
    std::vector<std::string> nameLabels;
};

// The label of `item`, empty when the list is absent or shorter.
const std::string& labelAt(const std::vector<std::string>& labels, std::size_t item);

inline constexpr int kBarsPerPage = 9;
inline constexpr std::size_t kPaletteSize = 20;

// Item i is drawn in colour i mod 20.
Rgb paletteColour(std::size_t item);

// The point at fraction `t` of a full turn clockwise from twelve o'clock on a circle of
// `radius`, relative to its centre with y upwards, truncated toward zero; the four quarter
// points (and t = 1) are exact.
CanvasPoint PointOnCircle(int radius, double t);

// The clockwise angle of a point from twelve o'clock, in [0, 2 pi); 0 for the centre.
double AngleOf(CanvasPoint p);

// Draws the bar and pie charts of the profit charts on a canvas, remembers what it drew so
// that it can repaint, page through bars and tell which item lies under a point. Knows
// nothing of accounts: it is handed values and labels.
//
// Each drawing call clears the chart rectangle to the background colour first and answers
// whether it drew; a call that answers false left the canvas and the painter as they were.
class ChartPainter {
public:
    explicit ChartPainter(Rgb background) : background_(background) {}
    void setBackground(Rgb background) { background_ = background; }

    // Nine bars from `firstVisible`, scaled to the largest absolute value over all items.
    bool DrawBars(ReportCanvas& canvas, const ReportRect& rect, ChartSeries series,
                  int firstVisible);
    // One slice per item, clockwise from twelve o'clock; a pie draws no text.
    bool DrawPie(ReportCanvas& canvas, const ReportRect& rect, ChartSeries series);
    // A text in the middle instead of a chart (an account without holdings); no items.
    bool DrawNotice(ReportCanvas& canvas, const ReportRect& rect, std::string text);
    // Bars only: one item or one page forward or back, redrawn.
    bool StepItem(ReportCanvas& canvas, bool forward);
    bool StepPage(ReportCanvas& canvas, bool forward);
    // The last chart again, bars from the current first visible item.
    bool Repaint(ReportCanvas& canvas);
    // The item under `point`, or -1.
    int HitTest(CanvasPoint point) const;

    ChartMode mode() const { return mode_; }
    int count() const { return static_cast<int>(series_.values.size()); }
    int firstVisible() const { return firstVisible_; }
    const ChartSeries& series() const { return series_; }

    // Code and value labels; name labels use the interface font.
    static constexpr SizedFont kLabelFont{FontFace::Sans, 15, 5};
    static constexpr SizedFont kNameFont{FontFace::Interface, 13, 0};

private:
    void drawBars(ReportCanvas& canvas);
    void drawBarLabels(ReportCanvas& canvas, std::size_t item, int x, int bottom);
    void drawPie(ReportCanvas& canvas);
    void drawLabel(ReportCanvas& canvas, const SizedFont& font,
                   const std::vector<std::string>& labels, std::size_t item, int x, int y);

    Rgb background_;
    ChartMode mode_ = ChartMode::None;
    ReportRect rect_;
    ChartSeries series_;
    int firstVisible_ = 0;
    std::string notice_;
    std::vector<ReportRect> bars_;
    // Per slice, the start and end points of its arc relative to the centre (y upwards).
    std::vector<std::pair<CanvasPoint, CanvasPoint>> slices_;
    int centreX_ = 0;
    int centreY_ = 0;
    double radius_ = 0;
};

}  // namespace fiscora::ui

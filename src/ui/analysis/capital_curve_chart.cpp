#include "ui/analysis/capital_curve_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace fiscora::ui {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr int kTicks = 5;
constexpr int kTickLength = 4;
// Markers shrink as the days crowd: 5 pixels across below 30 days, 3 below 60, none beyond.
constexpr std::size_t kLargeMarkersBelow = 30;
constexpr std::size_t kSmallMarkersBelow = 60;
// Bars at least this wide keep a one-pixel gap in the face colour around them.
constexpr int kOutlinedBarWidth = 3;
// The axis labels' font: the size of a plain surface's default font.
constexpr SizedFont kLabelFont{FontFace::Interface, 14, 0};

// A value's pixel, truncated toward zero; far-off values stay far off without overflowing.
int pixel(double v) {
    constexpr double kFar = 1 << 24;
    return std::isnan(v) ? 0 : static_cast<int>(std::clamp(v, -kFar, kFar));
}

ReportRect normalised(ReportRect r) {
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    return r;
}

}  // namespace

std::string axisLabel(double value) {
    char text[64];
    if (value < 10000)
        std::snprintf(text, sizeof text, "%.1f", value);
    else if (value <= 1000000000)
        std::snprintf(text, sizeof text, "%.1f万", value * 0.0001);
    else
        std::snprintf(text, sizeof text, "%.1f亿", value * 0.00000001);
    return text;
}

bool CapitalCurveChart::DrawCurve(ReportCanvas& canvas, const DaySeries& series, CurveStyle style,
                                  int width, int height, Rgb face, const CurveOverlay& overlay) {
    rects_.clear();
    pointed_.clear();
    height_ = height;
    canvas.fill({0, 0, width, height}, face);
    const int plotWidth = width - kPlotLeft;
    if (series.empty() || plotWidth <= 0 || height <= 0) return false;
    double largest = 0;
    for (const auto& p : series) largest = std::max(largest, p.high);
    for (const double v : overlay.line) largest = std::max(largest, v);
    if (!(largest > 0) || !std::isfinite(largest)) return false;

    scale_ = height / largest;
    const int n = static_cast<int>(series.size());
    slot_ = static_cast<double>(plotWidth) / n;
    rects_.reserve(series.size());
    for (int i = 0; i < n; ++i) {
        rects_.push_back({pixel(i * slot_ + kPlotLeft), pixel(height - scale_ * series[i].close),
                          pixel((i + 1) * slot_ + kPlotLeft), height});
        if (series[i].close > 0) pointed_.push_back(i);
    }
    drawShade(canvas, overlay);
    if (style == CurveStyle::Bars)
        drawBars(canvas, series, face);
    else
        drawCurve(canvas, series);
    drawLine(canvas, overlay);
    drawAxis(canvas);
    return true;
}

void CapitalCurveChart::drawBars(ReportCanvas& canvas, const DaySeries& series, Rgb face) const {
    double previous = 0;
    for (std::size_t i = 0; i < series.size(); ++i) {
        const double level = scale_ * series[i].close;
        const Rgb colour = level > previous ? kRed : level < previous ? kGreen : kWhite;
        previous = level;
        const ReportRect bar = normalised(rects_[i]);
        if (bar.width() >= kOutlinedBarWidth && bar.height() >= kOutlinedBarWidth) {
            canvas.fill(bar, face);
            canvas.fill({bar.left + 1, bar.top + 1, bar.right - 1, bar.bottom - 1}, colour);
        } else {
            canvas.fill(bar, colour);
        }
    }
}

void CapitalCurveChart::drawCurve(ReportCanvas& canvas, const DaySeries& series) const {
    const std::size_t n = series.size();
    const int radius = n < kLargeMarkersBelow ? 2 : n < kSmallMarkersBelow ? 1 : 0;
    CanvasPoint previous{kPlotLeft, height_};
    for (std::size_t i = 0; i < n; ++i) {
        // A zero value (no bar that day, or nothing held) breaks the curve.
        const CanvasPoint at = pointAt(i, series[i].close);
        if (previous.y != height_ && at.y != height_)
            canvas.line(previous.x, previous.y, at.x, at.y, kBlack);
        if (radius > 0)
            canvas.ellipse({at.x - radius, at.y - radius, at.x + radius, at.y + radius}, kRed,
                           kRed);
        previous = at;
    }
}

CanvasPoint CapitalCurveChart::pointAt(std::size_t i, double value) const {
    return {pixel((2.0 * static_cast<double>(i) + 1) * slot_ / 2 + kPlotLeft),
            pixel(height_ - scale_ * value)};
}

void CapitalCurveChart::drawShade(ReportCanvas& canvas, const CurveOverlay& overlay) const {
    if (!overlay.shaded) return;
    const auto [first, last] = *overlay.shaded;
    if (first > last || last >= rects_.size()) return;
    canvas.fill({rects_[first].left, 0, rects_[last].right, height_}, overlay.shadeColour);
}

void CapitalCurveChart::drawLine(ReportCanvas& canvas, const CurveOverlay& overlay) const {
    const std::size_t n = std::min(overlay.line.size(), rects_.size());
    for (std::size_t i = 1; i < n; ++i) {
        if (!(overlay.line[i - 1] > 0) || !(overlay.line[i] > 0)) continue;
        const CanvasPoint from = pointAt(i - 1, overlay.line[i - 1]);
        const CanvasPoint to = pointAt(i, overlay.line[i]);
        canvas.line(from.x, from.y, to.x, to.y, overlay.lineColour);
    }
}

void CapitalCurveChart::drawAxis(ReportCanvas& canvas) const {
    canvas.line(kAxisX, 0, kAxisX, height_, kRed);
    const int step = height_ / kTicks;
    const int lineHeight = canvas.measure(kLabelFont, "0").height;
    TextStyle style;
    style.horizontal = ColumnAlign::Right;
    style.vertical = VerticalAlign::Bottom;
    style.colour = kRed;
    style.background = kWhite;
    for (int k = 0; k < kTicks; ++k) {
        const int y = height_ - k * step;
        canvas.line(kAxisX, y, kAxisX - kTickLength, y, kRed);
        canvas.text(kLabelFont, {0, y - lineHeight, kAxisX - 1, y}, axisLabel(k * step / scale_),
                    style);
    }
}

int CapitalCurveChart::columnAt(int x) const {
    if (rects_.empty() || x < rects_.front().left || x >= rects_.back().right) return -1;
    // Each day's rectangle starts where the one before ends: the last that starts at or
    // left of x holds it (days narrower than a pixel share it with the next).
    const auto after = std::upper_bound(rects_.begin(), rects_.end(), x,
                                        [](int at, const ReportRect& r) { return at < r.left; });
    return static_cast<int>(after - rects_.begin()) - 1;
}

int CapitalCurveChart::NearestPoint(int x) const {
    const int column = columnAt(x);
    if (column < 0 || pointed_.empty()) return -1;
    const auto after = std::lower_bound(pointed_.begin(), pointed_.end(), column);
    if (after != pointed_.end() && *after == column) return column;
    // Otherwise the day whose slot's middle is nearest to the middle of the column.
    const auto distance = [&](int day) {
        return std::abs(kPlotLeft + (day + 0.5) * slot_ - (x + 0.5));
    };
    if (after == pointed_.end()) return pointed_.back();
    if (after == pointed_.begin()) return *after;
    const int before = *std::prev(after);
    return distance(before) <= distance(*after) ? before : *after;
}

}  // namespace fiscora::ui

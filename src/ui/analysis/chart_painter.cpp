#include "ui/analysis/chart_painter.h"

#include "ui/analysis/chart_notice.h"

#include <algorithm>
#include <cmath>

namespace fiscora::ui {
namespace {

// The charts' own value of pi: slice points and hit-test angles are computed with it.
constexpr double kPi = 3.1415926535;

constexpr std::array<Rgb, kPaletteSize> kPalette{{
    {255, 0, 0},   {0, 0, 255},     {0, 255, 0},     {0, 255, 255},   {192, 220, 192},
    {255, 0, 255}, {255, 255, 0},   {255, 255, 255}, {0, 0, 128},     {0, 128, 0},
    {0, 128, 128}, {128, 0, 0},     {128, 128, 0},   {128, 128, 128}, {128, 0, 128},
    {0, 0, 0},     {192, 220, 192}, {166, 202, 240}, {255, 251, 240}, {160, 160, 164},
}};

// Space around the bars: 3 pixels left of the first, 50 above the tallest and below the
// deepest; a page of nine bars and eight gaps of a bar's width fills 17 slots.
constexpr int kBarMargin = 50;
constexpr int kSlots = 2 * kBarsPerPage - 1;

// A value that is not a number (a faulty price from the host) counts as 0, so it cannot
// poison the scale or the pie's total.
double finite(double v) {
    return std::isfinite(v) ? v : 0.0;
}

bool contains(const ReportRect& r, CanvasPoint p) {
    const int left = std::min(r.left, r.right), right = std::max(r.left, r.right);
    const int top = std::min(r.top, r.bottom), bottom = std::max(r.top, r.bottom);
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
}

// Bar ends within a pixel of the zero line are moved two pixels away from it, so even the
// smallest value shows as a bar.
int nudged(int end, int zero, bool negative) {
    if (std::abs(end - zero) >= 2) return end;
    const int step = end == zero ? 2 : 1;
    return negative ? end + step : end - step;
}

}  // namespace

const std::string& labelAt(const std::vector<std::string>& labels, std::size_t item) {
    static const std::string none;
    return item < labels.size() ? labels[item] : none;
}

Rgb paletteColour(std::size_t item) {
    return kPalette[item % kPaletteSize];
}

CanvasPoint PointOnCircle(int radius, double t) {
    if (t == 0 || t == 1) return {0, radius};
    if (t == 0.25) return {radius, 0};
    if (t == 0.5) return {0, -radius};
    if (t == 0.75) return {-radius, 0};
    const double angle = 2 * kPi * t;
    return {static_cast<int>(radius * std::sin(angle)), static_cast<int>(radius * std::cos(angle))};
}

double AngleOf(CanvasPoint p) {
    const double x = p.x, y = p.y;
    if (p.x == 0) return p.y < 0 ? kPi : 0;
    if (p.y == 0) return p.x > 0 ? kPi / 2 : 3 * kPi / 2;
    if (p.x > 0) return p.y > 0 ? std::atan(x / y) : std::atan(-y / x) + kPi / 2;
    return p.y < 0 ? std::atan(x / y) + kPi : std::atan(y / -x) + 3 * kPi / 2;
}

bool ChartPainter::DrawBars(ReportCanvas& canvas, const ReportRect& rect, ChartSeries series,
                            int firstVisible) {
    const int n = static_cast<int>(series.values.size());
    if (n == 0 || firstVisible < 0 || firstVisible > n) return false;
    mode_ = ChartMode::Bars;
    rect_ = rect;
    series_ = std::move(series);
    for (double& v : series_.values) v = finite(v);
    firstVisible_ = firstVisible;
    drawBars(canvas);
    return true;
}

void ChartPainter::drawBars(ReportCanvas& canvas) {
    bars_.assign(series_.values.size(), ReportRect{});
    canvas.fill(rect_, background_);
    double largest = 0;
    for (double v : series_.values) largest = std::max(largest, std::abs(v));
    // All zero: no scale, so no axes and no bars; nothing is hit.
    if (largest == 0) return;

    const ReportRect& r = rect_;
    const int zero = r.top + r.height() / 2;
    canvas.line(r.left + 2, r.top + 2, r.left + 2, r.bottom - 2);
    canvas.line(r.left + 2, zero, r.right - 2, zero);

    const int slot = (r.width() - 25) / kSlots;
    const int half = (r.height() - 2 * kBarMargin) / 2;
    for (int j = 0; j < kBarsPerPage && firstVisible_ + j < count(); ++j) {
        const std::size_t k = static_cast<std::size_t>(firstVisible_) + static_cast<std::size_t>(j);
        const double value = series_.values[k];
        const double ratio = value / largest;
        const bool negative = value < 0;
        const int left = r.left + 3 + 2 * slot * j;
        const int end =
            nudged(negative ? static_cast<int>(r.bottom - kBarMargin - (1 - std::abs(ratio)) * half)
                            : static_cast<int>(r.top + kBarMargin + (1 - ratio) * half),
                   zero, negative);
        bars_[k] = negative ? ReportRect{left, zero + 1, left + slot, end + 1}
                            : ReportRect{left, end, left + slot, zero};
        canvas.fill(bars_[k], paletteColour(k));
        drawBarLabels(canvas, k, left, end);
    }
}

// Above a bar from the top: value, code, name; below a hanging bar in the same order.
void ChartPainter::drawBarLabels(ReportCanvas& canvas, std::size_t item, int x, int end) {
    const bool negative = series_.values[item] < 0;
    drawLabel(canvas, kLabelFont, series_.valueLabels, item, x, negative ? end + 1 : end - 41);
    drawLabel(canvas, kLabelFont, series_.codeLabels, item, x, negative ? end + 14 : end - 29);
    drawLabel(canvas, kNameFont, series_.nameLabels, item, x, negative ? end + 29 : end - 15);
}

void ChartPainter::drawLabel(ReportCanvas& canvas, const SizedFont& font,
                             const std::vector<std::string>& labels, std::size_t item, int x,
                             int y) {
    const std::string& label = labelAt(labels, item);
    if (label.empty()) return;
    canvas.text(font, {x, y, rect_.right, rect_.bottom}, label,
                {ColumnAlign::Left, VerticalAlign::Top, kBlack, background_});
}

bool ChartPainter::DrawPie(ReportCanvas& canvas, const ReportRect& rect, ChartSeries series) {
    if (series.values.empty()) return false;
    mode_ = ChartMode::Pie;
    rect_ = rect;
    series_ = std::move(series);
    for (double& v : series_.values) v = finite(v);
    drawPie(canvas);
    return true;
}

void ChartPainter::drawPie(ReportCanvas& canvas) {
    slices_.clear();
    canvas.fill(rect_, background_);
    const ReportRect& r = rect_;
    const int radius = std::min(r.width(), r.height()) / 2;
    centreX_ = r.left + r.width() / 2;
    centreY_ = r.top + r.height() / 2;
    radius_ = radius;
    double total = 0;
    for (double v : series_.values) total += v;
    // Nothing to share out: no slices, nothing drawn, nothing hit.
    if (!(total > 0) || !std::isfinite(total)) return;

    const ReportRect bounds{centreX_ - radius, r.top, centreX_ + radius, r.bottom};
    CanvasPoint previous{0, radius};
    CanvasPoint previousOnSurface{centreX_, r.top};
    double sum = 0;
    for (std::size_t i = 0; i < series_.values.size(); ++i) {
        sum += series_.values[i];
        const bool last = i + 1 == series_.values.size();
        // The last slice closes one pixel left of twelve o'clock, so its end angle lies just
        // below a full turn instead of at 0.
        const CanvasPoint end = last ? CanvasPoint{-1, radius} : PointOnCircle(radius, sum / total);
        const CanvasPoint endOnSurface = last ? CanvasPoint{centreX_ - 1, r.top}
                                              : CanvasPoint{centreX_ + end.x, centreY_ - end.y};
        slices_.emplace_back(previous, end);
        canvas.pie(bounds, endOnSurface, previousOnSurface, paletteColour(i));
        previous = end;
        previousOnSurface = endOnSurface;
    }
}

bool ChartPainter::StepItem(ReportCanvas& canvas, bool forward) {
    if (mode_ != ChartMode::Bars) return false;
    if (forward ? firstVisible_ >= count() - 1 : firstVisible_ <= 0) return false;
    firstVisible_ += forward ? 1 : -1;
    drawBars(canvas);
    return true;
}

bool ChartPainter::StepPage(ReportCanvas& canvas, bool forward) {
    if (mode_ != ChartMode::Bars) return false;
    if (forward) {
        if (firstVisible_ + kBarsPerPage < count()) firstVisible_ += kBarsPerPage;
    } else {
        firstVisible_ = std::max(firstVisible_ - kBarsPerPage, 0);
    }
    drawBars(canvas);
    return true;
}

bool ChartPainter::DrawNotice(ReportCanvas& canvas, const ReportRect& rect, std::string text) {
    mode_ = ChartMode::Notice;
    rect_ = rect;
    series_ = {};
    firstVisible_ = 0;
    bars_.clear();
    slices_.clear();
    notice_ = std::move(text);
    drawChartNotice(canvas, rect_, background_, notice_);
    return true;
}

bool ChartPainter::Repaint(ReportCanvas& canvas) {
    switch (mode_) {
    case ChartMode::Bars: drawBars(canvas); return true;
    case ChartMode::Pie: drawPie(canvas); return true;
    case ChartMode::Notice: drawChartNotice(canvas, rect_, background_, notice_); return true;
    case ChartMode::None: break;
    }
    return false;
}

int ChartPainter::HitTest(CanvasPoint point) const {
    if (mode_ == ChartMode::Bars) {
        const int last = std::min(firstVisible_ + kBarsPerPage, count());
        for (int k = firstVisible_; k < last; ++k) {
            if (contains(bars_[static_cast<std::size_t>(k)], point)) return k;
        }
        return -1;
    }
    if (mode_ != ChartMode::Pie || (point.x == centreX_ && point.y == centreY_)) return -1;
    const CanvasPoint p{point.x - centreX_, centreY_ - point.y};
    if (std::hypot(p.x, p.y) >= radius_) return -1;
    const double angle = AngleOf(p);
    for (std::size_t i = 0; i < slices_.size(); ++i) {
        if (AngleOf(slices_[i].first) < angle && angle < AngleOf(slices_[i].second)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace fiscora::ui

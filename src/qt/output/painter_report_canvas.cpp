#include "qt/output/painter_report_canvas.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "qt/output/sized_font.h"

namespace fiscora::qt {
namespace {

QString qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::Alignment horizontal(ColumnAlign align) {
    switch (align) {
    case ColumnAlign::Left: return Qt::AlignLeft;
    case ColumnAlign::Right: return Qt::AlignRight;
    case ColumnAlign::Center: break;
    }
    return Qt::AlignHCenter;
}

Qt::Alignment vertical(VerticalAlign align) {
    switch (align) {
    case VerticalAlign::Top: return Qt::AlignTop;
    case VerticalAlign::Bottom: return Qt::AlignBottom;
    case VerticalAlign::Center: break;
    }
    return Qt::AlignVCenter;
}

QColor qcolor(Rgb c) {
    return {c.red, c.green, c.blue};
}

QRect qrect(const ReportRect& r) {
    return {r.left, r.top, r.width(), r.height()};
}

// QPainter strokes a QRect one unit wider and taller than it is; this one stays inside `r`.
QRect outlineOf(const ReportRect& r) {
    return {r.left, r.top, r.width() - 1, r.height() - 1};
}

// The direction of `p` seen from `centre`, in sixteenths of a degree counter-clockwise from
// three o'clock, as QPainter measures arcs (y grows downwards on the surface).
double arcAngle(QPointF centre, CanvasPoint p) {
    const double radians = std::atan2(centre.y() - p.y, p.x - centre.x());
    return radians * 180.0 / std::numbers::pi * 16.0;
}

}  // namespace

PainterReportCanvas::PainterReportCanvas(QPainter& painter, const ReportFonts& fonts)
    : painter_(painter), fonts_(fonts) {
    painter_.setPen(QPen(Qt::black, 0));
    painter_.setBrush(Qt::NoBrush);
    painter_.setBackgroundMode(Qt::TransparentMode);
}

const QFont& PainterReportCanvas::fontOf(ReportFont font) const {
    switch (font) {
    case ReportFont::Heading: return fonts_.heading;
    case ReportFont::Footer: return fonts_.footer;
    case ReportFont::Table: break;
    }
    return fonts_.table;
}

TextExtent PainterReportCanvas::measure(ReportFont font, std::string_view text, int wrapWidth) {
    const QFontMetrics metrics(fontOf(font), painter_.device());
    if (wrapWidth <= 0) return {metrics.horizontalAdvance(qstring(text)), metrics.height()};
    const QRect bounds =
        metrics.boundingRect(QRect(0, 0, wrapWidth, 1 << 24),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, qstring(text));
    return {bounds.width(), bounds.height()};
}

void PainterReportCanvas::text(ReportFont font, const ReportRect& rect, std::string_view text,
                               ColumnAlign align, TextFlow flow) {
    painter_.setFont(fontOf(font));
    const int flags = flow == TextFlow::Wrapped
                          ? int(horizontal(align) | Qt::AlignTop) | Qt::TextWordWrap
                          : int(horizontal(align) | Qt::AlignVCenter) | Qt::TextSingleLine;
    painter_.drawText(qrect(rect), flags, qstring(text));
}

void PainterReportCanvas::line(int x1, int y1, int x2, int y2, Rgb colour) {
    painter_.setPen(QPen(qcolor(colour), 0));
    painter_.drawLine(x1, y1, x2, y2);
}

void PainterReportCanvas::outline(const ReportRect& rect) {
    painter_.setPen(QPen(Qt::black, 0));
    painter_.drawRect(outlineOf(rect));
}

void PainterReportCanvas::whiteBox(const ReportRect& rect) {
    painter_.fillRect(qrect(rect), Qt::white);
    outline(rect);
}

void PainterReportCanvas::fill(const ReportRect& rect, Rgb colour) {
    painter_.fillRect(qrect(rect), qcolor(colour));
}

void PainterReportCanvas::pie(const ReportRect& bounds, CanvasPoint from, CanvasPoint to,
                              Rgb colour) {
    const QRect box = outlineOf(bounds);
    const QPointF centre = QRectF(box).center();
    constexpr double kFullTurn = 360.0 * 16.0;
    const double start = arcAngle(centre, from);
    double span = std::fmod(arcAngle(centre, to) - start + kFullTurn, kFullTurn);
    if (span < 0.5) span = kFullTurn;
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setPen(QPen(Qt::black, 0));
    painter_.setBrush(qcolor(colour));
    painter_.drawPie(box, static_cast<int>(std::lround(start)),
                     static_cast<int>(std::lround(span)));
    painter_.restore();
}

void PainterReportCanvas::ellipse(const ReportRect& bounds, Rgb colour, Rgb outlineColour) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setPen(QPen(qcolor(outlineColour), 0));
    painter_.setBrush(qcolor(colour));
    painter_.drawEllipse(outlineOf(bounds));
    painter_.restore();
}

const QFont& PainterReportCanvas::fontOf(const SizedFont& font) {
    const auto known = std::find_if(sizedFonts_.begin(), sizedFonts_.end(),
                                    [&](const auto& entry) { return entry.first == font; });
    if (known != sizedFonts_.end()) return known->second;
    return sizedFonts_.emplace_back(font, sizedFont(font)).second;
}

TextExtent PainterReportCanvas::measure(const SizedFont& font, std::string_view text) {
    const QFontMetrics metrics(fontOf(font), painter_.device());
    return {metrics.horizontalAdvance(qstring(text)), metrics.height()};
}

void PainterReportCanvas::text(const SizedFont& font, const ReportRect& rect, std::string_view text,
                               const TextStyle& style) {
    painter_.setFont(fontOf(font));
    const int flags =
        int(horizontal(style.horizontal) | vertical(style.vertical)) | Qt::TextSingleLine;
    const QString content = qstring(text);
    if (style.background) {
        const QRect behind = painter_.boundingRect(qrect(rect), flags, content) & qrect(rect);
        painter_.fillRect(behind, qcolor(*style.background));
    }
    painter_.setPen(qcolor(style.colour));
    painter_.drawText(qrect(rect), flags, content);
    painter_.setPen(QPen(Qt::black, 0));
}

}  // namespace fiscora::qt

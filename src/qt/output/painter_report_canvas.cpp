#include "qt/output/painter_report_canvas.h"

#include <QFontMetrics>

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

QRect qrect(const ReportRect& r) {
    return {r.left, r.top, r.width(), r.height()};
}

// QPainter strokes a QRect one unit wider and taller than it is; this one stays inside `r`.
QRect outlineOf(const ReportRect& r) {
    return {r.left, r.top, r.width() - 1, r.height() - 1};
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
                               ColumnAlign align, TextFlow flow, double scale) {
    painter_.setFont(fontOf(font));
    const int flags = flow == TextFlow::Wrapped
                          ? int(horizontal(align) | Qt::AlignTop) | Qt::TextWordWrap
                          : int(horizontal(align) | Qt::AlignVCenter) | Qt::TextSingleLine;
    if (scale >= 1) {
        painter_.drawText(qrect(rect), flags, qstring(text));
        return;
    }
    // Shrunk about the rectangle's centre: the text keeps its alignment within the rectangle.
    const QRectF box = qrect(rect);
    painter_.save();
    painter_.translate(box.center());
    painter_.scale(scale, scale);
    const QSizeF size(box.width() / scale, box.height() / scale);
    painter_.drawText(QRectF(QPointF(-size.width() / 2, -size.height() / 2), size), flags,
                      qstring(text));
    painter_.restore();
}

void PainterReportCanvas::line(int x1, int y1, int x2, int y2) {
    painter_.drawLine(x1, y1, x2, y2);
}

void PainterReportCanvas::outline(const ReportRect& rect) {
    painter_.drawRect(outlineOf(rect));
}

void PainterReportCanvas::whiteBox(const ReportRect& rect) {
    painter_.fillRect(qrect(rect), Qt::white);
    painter_.drawRect(outlineOf(rect));
}

}  // namespace fiscora::qt

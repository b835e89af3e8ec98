#pragma once

#include <QFont>
#include <QPainter>

#include <utility>
#include <vector>

#include "output/report_canvas.h"

namespace fiscora::qt {

struct ReportFonts {
    QFont heading;
    QFont table;
    QFont footer;
};

// Draws a report page or a chart with a QPainter in its device's units: a printer, a PDF file
// or an image.
class PainterReportCanvas : public ReportCanvas {
public:
    PainterReportCanvas(QPainter& painter, const ReportFonts& fonts);

    TextExtent measure(ReportFont font, std::string_view text, int wrapWidth) override;
    void text(ReportFont font, const ReportRect& rect, std::string_view text, ColumnAlign align,
              TextFlow flow) override;
    using ReportCanvas::line;
    void line(int x1, int y1, int x2, int y2, Rgb colour) override;
    void outline(const ReportRect& rect) override;
    void whiteBox(const ReportRect& rect) override;

    void fill(const ReportRect& rect, Rgb colour) override;
    void pie(const ReportRect& bounds, CanvasPoint from, CanvasPoint to, Rgb colour) override;
    void ellipse(const ReportRect& bounds, Rgb colour, Rgb outlineColour) override;
    TextExtent measure(const SizedFont& font, std::string_view text) override;
    void text(const SizedFont& font, const ReportRect& rect, std::string_view text,
              const TextStyle& style) override;

private:
    const QFont& fontOf(ReportFont font) const;
    const QFont& fontOf(const SizedFont& font);

    QPainter& painter_;
    const ReportFonts& fonts_;
    std::vector<std::pair<SizedFont, QFont>> sizedFonts_;
};

}  // namespace fiscora::qt

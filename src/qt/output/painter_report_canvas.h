#pragma once

#include <QFont>
#include <QPainter>

#include "output/report_canvas.h"

namespace fiscora::qt {

struct ReportFonts {
    QFont heading;
    QFont table;
    QFont footer;
};

// Draws a report page with a QPainter in its device's units: a printer, a PDF file or an image.
class PainterReportCanvas : public ReportCanvas {
public:
    PainterReportCanvas(QPainter& painter, const ReportFonts& fonts);

    TextExtent measure(ReportFont font, std::string_view text, int wrapWidth) override;
    void text(ReportFont font, const ReportRect& rect, std::string_view text, ColumnAlign align,
              TextFlow flow, double scale) override;
    void line(int x1, int y1, int x2, int y2) override;
    void outline(const ReportRect& rect) override;
    void whiteBox(const ReportRect& rect) override;

private:
    const QFont& fontOf(ReportFont font) const;

    QPainter& painter_;
    const ReportFonts& fonts_;
};

}  // namespace fiscora::qt

#include "qt/output/canvas_picture.h"

#include <QPainter>
#include <cmath>

#include "qt/output/painter_report_canvas.h"

namespace fiscora::qt {

Rgb rgbOf(const QColor& colour) {
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

QImage canvasPicture(QSize size, qreal pixelRatio, Rgb background,
                     const std::function<void(ReportCanvas&)>& draw) {
    const QSize pixels(static_cast<int>(std::ceil(size.width() * pixelRatio)),
                       static_cast<int>(std::ceil(size.height() * pixelRatio)));
    QImage image(pixels.expandedTo({1, 1}), QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(QColor(background.red, background.green, background.blue));
    QPainter painter(&image);
    const ReportFonts noReportFonts;
    PainterReportCanvas canvas(painter, noReportFonts);
    draw(canvas);
    return image;
}

}  // namespace fiscora::qt

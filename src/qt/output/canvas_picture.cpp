#include "qt/output/canvas_picture.h"

#include <QPainter>

#include "qt/output/painter_report_canvas.h"

namespace fiscora::qt {

QImage drawPicture(QSize size, const std::function<void(ReportCanvas&)>& draw, qreal pixelRatio) {
    QImage image(size.expandedTo({1, 1}) * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    const ReportFonts fonts;  // charts write in sized fonts only
    PainterReportCanvas canvas(painter, fonts);
    draw(canvas);
    return image;
}

}  // namespace fiscora::qt

#include "qt/output/headless_picture.h"

#include <QPalette>

#include "qt/output/canvas_picture.h"
#include "qt/output/offscreen_application.h"

namespace fiscora::qt {

bool writePngPicture(const std::string& path, int width, int height,
                     const std::function<bool(ReportCanvas&, Rgb face)>& draw) {
    if (width <= 0 || height <= 0) return false;
    const OffscreenApplication app;
    const Rgb face = rgbOf(QGuiApplication::palette().color(QPalette::Window));
    bool drawn = false;
    const QImage picture = canvasPicture({width, height}, 1.0, face,
                                         [&](ReportCanvas& canvas) { drawn = draw(canvas, face); });
    return drawn && picture.save(QString::fromStdString(path), "PNG");
}

}  // namespace fiscora::qt

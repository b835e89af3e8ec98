#include "qt/output/headless_png.h"

#include "qt/output/canvas_picture.h"
#include "qt/output/offscreen_application.h"

namespace fiscora::qt {

bool writePngPicture(int width, int height, const std::function<void(ReportCanvas&)>& draw,
                     const std::string& path) {
    if (width <= 0 || height <= 0) return false;
    const OffscreenApplication app;
    return drawPicture({width, height}, draw).save(QString::fromStdString(path), "PNG");
}

}  // namespace fiscora::qt

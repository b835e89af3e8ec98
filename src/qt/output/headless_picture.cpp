#include "qt/output/headless_picture.h"

#include <QFile>
#include <QPalette>

#include "qt/output/canvas_picture.h"
#include "qt/output/offscreen_application.h"
#include "store/temporary_file.h"

namespace fiscora::qt {

bool writePngPicture(const std::string& path, int width, int height,
                     const std::function<bool(ReportCanvas&, Rgb face)>& draw) {
    if (width <= 0 || height <= 0) return false;
    const OffscreenApplication app;
    const Rgb face = rgbOf(QGuiApplication::palette().color(QPalette::Window));
    bool drawn = false;
    const QImage picture = canvasPicture({width, height}, 1.0, face,
                                         [&](ReportCanvas& canvas) { drawn = draw(canvas, face); });
    if (!drawn) return false;
    // Written beside the file and renamed over it once complete: a failed write keeps the
    // old picture.
    TemporaryFile temp;
    if (temp.create(path) != FileError::None) return false;
    QFile file;
    if (!file.open(temp.fd(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) return false;
    if (!picture.save(&file, "PNG") || !file.flush()) return false;
    file.close();
    return temp.commit() == FileError::None;
}

}  // namespace fiscora::qt

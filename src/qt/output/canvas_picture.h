#pragma once

#include <QImage>
#include <functional>

#include "output/report_canvas.h"

namespace fiscora::qt {

// A chart composed off-screen: `draw` paints on a canvas over an image of `size` pixels,
// which the window then copies in one step (or a program saves).
QImage drawPicture(QSize size, const std::function<void(ReportCanvas&)>& draw);

}  // namespace fiscora::qt

#pragma once

#include <QImage>
#include <functional>

#include "output/report_canvas.h"

namespace fiscora::qt {

// A chart composed off-screen: `draw` paints on a canvas over an image of `size` pixels,
// which the window then copies in one step (or a program saves). With a `pixelRatio` above 1
// the image holds that many device pixels per unit, for sharp pictures on dense screens.
QImage drawPicture(QSize size, const std::function<void(ReportCanvas&)>& draw,
                   qreal pixelRatio = 1);

}  // namespace fiscora::qt

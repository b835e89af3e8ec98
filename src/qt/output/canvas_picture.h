#pragma once

#include <QColor>
#include <QImage>
#include <functional>

#include "output/report_canvas.h"

namespace fiscora::qt {

Rgb rgbOf(const QColor& colour);

// A picture of `size` logical pixels, cleared to `background` and drawn by `draw` through a
// canvas, with `pixelRatio` device pixels to a logical one so it stays sharp on dense
// screens. Charts are composed this way off-screen and then shown in one step.
QImage canvasPicture(QSize size, qreal pixelRatio, Rgb background,
                     const std::function<void(ReportCanvas&)>& draw);

}  // namespace fiscora::qt

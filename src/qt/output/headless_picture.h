#pragma once

#include <functional>
#include <string>

#include "output/report_canvas.h"

namespace fiscora::qt {

// Draws a picture of `width` x `height` pixels through a canvas and saves it as the PNG file
// `path`, for programs without a window (an application object is made on the off-screen
// platform when none exists). `draw` is told the dialog face colour the picture starts in
// and answers whether it drew; a picture of nothing is not saved. False when nothing was
// saved: the size is not positive, nothing was drawn or the file cannot be written. The
// header needs no Qt.
bool writePngPicture(const std::string& path, int width, int height,
                     const std::function<bool(ReportCanvas&, Rgb face)>& draw);

}  // namespace fiscora::qt

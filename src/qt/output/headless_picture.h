#pragma once

#include <functional>
#include <string>

#include "output/report_canvas.h"

namespace fiscora::qt {

// Draws a picture of `width` x `height` pixels through a canvas and saves it as the PNG file
// `path`, for programs without a window (an application object is made on the off-screen
// platform when none exists). `draw` is told the dialog face colour the picture starts in.
// False when the size is not positive or the file cannot be written. The header needs no Qt.
bool writePngPicture(const std::string& path, int width, int height,
                     const std::function<void(ReportCanvas&, Rgb face)>& draw);

}  // namespace fiscora::qt

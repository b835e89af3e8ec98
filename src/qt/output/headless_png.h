#pragma once

#include <functional>
#include <string>

#include "output/report_canvas.h"

namespace fiscora::qt {

// Draws a picture of `width` x `height` pixels through `draw` and saves it as a PNG file at
// `path`, for programs without a window (an off-screen application is made when none
// exists). False when the size is not positive or the file cannot be written. The header
// needs no Qt, so plain programs can call it.
bool writePngPicture(int width, int height, const std::function<void(ReportCanvas&)>& draw,
                     const std::string& path);

}  // namespace fiscora::qt

#pragma once

#include <functional>
#include <string>

#include "output/report_canvas.h"

namespace fiscora::cli {

// Draws a picture of `width` x `height` pixels through `draw`, which is told the dialog face
// colour the picture starts in and answers whether it drew, and saves it as the PNG file
// `path`; false when nothing was drawn or the file cannot be written. The program supplies
// it, so the command line's logic needs no drawing library.
using PngPictureWriter =
    std::function<bool(const std::string& path, int width, int height,
                       const std::function<bool(ReportCanvas& canvas, Rgb face)>& draw)>;

}  // namespace fiscora::cli

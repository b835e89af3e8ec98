#pragma once

#include <cstdint>
#include <functional>

#include "cli/pdf_report_writer.h"
#include "cli/png_picture_writer.h"
#include "engine/dates.h"

namespace fiscora::cli {

// What the program lends the command line: the writers that draw (without them --pdf and
// --png are refused) and the clock that says which day is today.
struct CliServices {
    PdfReportWriter pdfWriter;
    PngPictureWriter pngWriter;
    std::function<std::int32_t()> today = &fiscora::today;
};

}  // namespace fiscora::cli

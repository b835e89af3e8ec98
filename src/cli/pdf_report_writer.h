#pragma once

#include <functional>
#include <string>

#include "output/list_table.h"

namespace fiscora::cli {

// Prints a list as the report titled `title` into the PDF file `path`; false when the file
// cannot be written. The program supplies it, so the command line's logic needs no drawing
// library.
using PdfReportWriter =
    std::function<bool(const ListTable& list, const std::string& title, const std::string& path)>;

}  // namespace fiscora::cli

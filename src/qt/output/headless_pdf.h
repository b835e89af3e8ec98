#pragma once

#include <string>

#include "output/list_table.h"

namespace fiscora::qt {

// Prints `list` as the report titled `title` into the PDF file `path` on A4 paper, for
// programs without a window: when no application object exists, one is made on the
// off-screen platform for the call. False when there is nothing to print or the file cannot
// be written. The header needs no Qt, so plain programs can call it.
bool writePdfReport(const ListTable& list, const std::string& title, const std::string& path);

}  // namespace fiscora::qt

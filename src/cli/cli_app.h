#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/pdf_report_writer.h"

namespace fiscora::cli {

// Runs the command line `args` (without the program name) and returns the exit code.
// `pdfWriter` prints the report command's PDF; without one that command refuses --pdf.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const PdfReportWriter& pdfWriter = {});

}  // namespace fiscora::cli

#pragma once

#include <string>

#include "cli/pdf_report_writer.h"

namespace fiscora::cli {

// The plugin's file name and its one entry point (a PdfReportWriter).
inline constexpr const char* kPdfPluginFile = "libfiscora-pdf.so";
inline constexpr const char* kPdfPluginEntry = "fiscoraWritePdfReport";

// A writer that loads the plugin on its first use: from the program's own folder (the
// build), else from `installedFolder`. When it cannot be loaded the writer says why on
// `err` and fails.
PdfReportWriter pluginPdfWriter(const std::string& installedFolder, std::ostream& err);

}  // namespace fiscora::cli

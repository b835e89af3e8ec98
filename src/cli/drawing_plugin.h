#pragma once

#include <ostream>
#include <string>

#include "cli/pdf_report_writer.h"
#include "cli/png_picture_writer.h"

namespace fiscora::cli {

// The plugin that draws with Qt for fiscora-cli, and its entry points (a PdfReportWriter
// and a PngPictureWriter).
inline constexpr const char* kDrawingPluginFile = "libfiscora-drawing.so";
inline constexpr const char* kPdfPluginEntry = "fiscoraWritePdfReport";
inline constexpr const char* kPngPluginEntry = "fiscoraWritePngPicture";

// Writers that load the plugin on their first use: from the program's own folder (the
// build), else from `installedFolder`. When it cannot be loaded the writer says why on
// `err` and fails.
PdfReportWriter pluginPdfWriter(const std::string& installedFolder, std::ostream& err);
PngPictureWriter pluginPngWriter(const std::string& installedFolder, std::ostream& err);

}  // namespace fiscora::cli

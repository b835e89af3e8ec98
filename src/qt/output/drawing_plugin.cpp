// The writers that draw with Qt, as a plugin of fiscora-cli: only --pdf and --png draw, so
// only they load Qt, through this module. The command line looks the two entry points up by
// the names cli/drawing_plugin.h gives them (kPdfPluginEntry, kPngPluginEntry).
#include <functional>
#include <string>

#include "output/list_table.h"
#include "output/report_canvas.h"
#include "qt/output/headless_pdf.h"
#include "qt/output/headless_picture.h"

extern "C" __attribute__((visibility("default"))) bool
fiscoraWritePdfReport(const fiscora::ListTable& list, const std::string& title,
                      const std::string& path) {
    return fiscora::qt::writePdfReport(list, title, path);
}

extern "C" __attribute__((visibility("default"))) bool
fiscoraWritePngPicture(const std::string& path, int width, int height,
                       const std::function<bool(fiscora::ReportCanvas&, fiscora::Rgb)>& draw) {
    return fiscora::qt::writePngPicture(path, width, height, draw);
}

// The PDF writer as a plugin of fiscora-cli: only `report --pdf` draws, so only it loads
// Qt, through this module.
#include "cli/pdf_plugin.h"

#include "qt/output/headless_pdf.h"

extern "C" __attribute__((visibility("default"))) bool
fiscoraWritePdfReport(const fiscora::ListTable& list, const std::string& title,
                      const std::string& path) {
    return fiscora::qt::writePdfReport(list, title, path);
}

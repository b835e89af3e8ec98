#include "qt/output/headless_pdf.h"

#include "qt/output/headless_application.h"
#include "qt/output/list_print.h"

namespace fiscora::qt {

bool writePdfReport(const ListTable& list, const std::string& title, const std::string& path) {
    const HeadlessApplication app;
    return printListToPdf(list, title, QString::fromStdString(path)) ==
           ReportPrinter::JobResult::Printed;
}

}  // namespace fiscora::qt

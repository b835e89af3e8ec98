#include "cli/list_files.h"

#include "cli/exit_codes.h"
#include "output/list_text_export.h"

namespace fiscora::cli {

bool pdfAvailable(const CommandContext& c) {
    if (optionValue(c, kPdfOption) == nullptr || c.services.pdfWriter) return true;
    c.err << "fiscora-cli: this build cannot write PDF files\n";
    return false;
}

bool wantsListFiles(const CommandContext& c) {
    return optionValue(c, kTextOption) != nullptr || optionValue(c, kPdfOption) != nullptr;
}

int writeListFiles(CommandContext& c, const ListTable& table, const ListReport& report,
                   const std::string& listName) {
    if (const std::string* text = optionValue(c, kTextOption)) {
        if (!SaveListAsText(table, *text)) {
            c.err << kSaveFailedMessage << '\n';
            return kExitRefused;
        }
    }
    const std::string* pdf = optionValue(c, kPdfOption);
    if (pdf == nullptr) return kExitOk;
    // As in the window, an empty list prints nothing; here that is said, as no file appears.
    if (table.rows.empty()) {
        c.err << "fiscora-cli: the " << listName << " is empty, no PDF written\n";
        return kExitRefused;
    }
    if (c.services.pdfWriter(table, report.title, *pdf)) return kExitOk;
    c.err << kPrintJobFailedMessage << '\n';
    return kExitRefused;
}

}  // namespace fiscora::cli

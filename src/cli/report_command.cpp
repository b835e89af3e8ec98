#include "cli/report_command.h"

#include "cli/exit_codes.h"
#include "cli/usage.h"
#include "output/holding_rows.h"
#include "output/list_reports.h"
#include "output/list_text_export.h"

namespace fiscora::cli {
namespace {

constexpr const char* kPdfOption = "--pdf";
constexpr const char* kTextOption = "--text";

std::vector<Column> noColumns() {
    return {};
}

const std::string* optionValue(const CommandContext& c, const char* name) {
    const auto it = c.options.commandOptions.find(name);
    return it == c.options.commandOptions.end() ? nullptr : &it->second;
}

int writeText(CommandContext& c, const ListTable& table, const std::string& path) {
    if (SaveListAsText(table, path)) return kExitOk;
    c.err << kSaveFailedMessage << '\n';
    return kExitRefused;
}

int writePdf(CommandContext& c, const ListTable& table, const std::string& path) {
    // As in the window, an empty list prints nothing; here that is said, as no file appears.
    if (table.rows.empty()) {
        c.err << "fiscora-cli: the holdings list is empty, no PDF written\n";
        return kExitRefused;
    }
    if (c.pdfWriter(table, kHoldingsReport.title, path)) return kExitOk;
    c.err << kPrintJobFailedMessage << '\n';
    return kExitRefused;
}

int runReport(CommandContext& c) {
    const std::string* pdf = optionValue(c, kPdfOption);
    const std::string* text = optionValue(c, kTextOption);
    if (pdf == nullptr && text == nullptr) {
        c.err << "fiscora-cli: report needs --pdf FILE or --text FILE\n" << usageHint();
        return kExitUsage;
    }
    if (pdf != nullptr && !c.pdfWriter) {
        c.err << "fiscora-cli: this build cannot write PDF files\n";
        return kExitUsage;
    }
    const AccountInfo* account = nullptr;
    if (const int code = c.session.openLedger(c.options.arguments.at(0), account); code != kExitOk)
        return code;
    Workspace& ws = c.session.workspace();
    const ListTable table = holdingTable(holdingRows(ws, ws.holdings));
    int code = kExitOk;
    if (text != nullptr) code = writeText(c, table, *text);
    if (pdf != nullptr && code == kExitOk) code = writePdf(c, table, *pdf);
    return code;
}

}  // namespace

Command reportCommand() {
    Command c{
        "report",
        "ACCOUNT",
        "print or save an account's holdings list",
        "Writes the account's holdings list as the window's 数据打印 and 数据存盘 do: the\n"
        "printed report \"盈亏明细打印\" on A4 paper as a PDF file, and the text export (GBK,\n"
        "a TAB after every field, CR LF line ends). At least one of the two is needed; they\n"
        "are the only files the command writes. An empty list has no report (exit 1), but\n"
        "its text export is the header line.",
        true,
        noColumns,
        runReport};
    c.options = {{kPdfOption, "FILE", "the printed report, as a PDF file"},
                 {kTextOption, "FILE", "the text export"}};
    return c;
}

}  // namespace fiscora::cli

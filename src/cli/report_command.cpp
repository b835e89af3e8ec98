#include "cli/report_command.h"

#include "cli/exit_codes.h"
#include "engine/holding_rows.h"
#include "output/list_reports.h"
#include "output/list_text_export.h"

namespace fiscora::cli {
namespace {

std::vector<Column> noColumns() { return {}; }

int writeText(CommandContext& c, const ListTable& table) {
    if (SaveListAsText(table, *c.options.textFile)) return kExitOk;
    c.err << "保存失败\n";
    return kExitRefused;
}

int writePdf(CommandContext& c, const ListTable& table) {
    if (!c.pdfWriter) {
        c.err << "fiscora-cli: this build cannot write PDF files\n";
        return kExitUsage;
    }
    // As in the window, an empty list prints nothing; here that is said, as no file appears.
    if (table.rows.empty()) {
        c.err << "fiscora-cli: the holdings list is empty, no PDF written\n";
        return kExitRefused;
    }
    if (c.pdfWriter(table, kHoldingsReport.title, *c.options.pdfFile)) return kExitOk;
    c.err << "无法启动打印作业。\n";
    return kExitRefused;
}

int runReport(CommandContext& c) {
    const AccountInfo* account = nullptr;
    if (const int code = c.session.openLedger(c.options.arguments.at(0), account); code != kExitOk) return code;
    Workspace& ws = c.session.workspace();
    const ListTable table = holdingTable(holdingRows(ws, ws.holdings));
    int code = kExitOk;
    if (c.options.textFile) code = writeText(c, table);
    if (c.options.pdfFile && code == kExitOk) code = writePdf(c, table);
    return code;
}

}  // namespace

Command reportCommand() {
    return {kReportCommand, "ACCOUNT", "print or save an account's holdings list",
            "Writes the account's holdings list as the window's 数据打印 and 数据存盘 do:\n"
            "  --pdf FILE   the printed report \"盈亏明细打印\" on A4 paper, as a PDF file\n"
            "  --text FILE  the text export: GBK, a TAB after every field, CR LF line ends\n"
            "At least one is needed; these are the only files the command writes. An empty\n"
            "list has no report (exit 1) but its text export is the header line.",
            true, noColumns, runReport};
}

}  // namespace fiscora::cli

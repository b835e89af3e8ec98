#include "cli/report_command.h"

#include "cli/exit_codes.h"
#include "cli/list_files.h"
#include "cli/usage.h"
#include "output/holding_rows.h"
#include "output/list_reports.h"

namespace fiscora::cli {
namespace {

std::vector<Column> noColumns() {
    return {};
}

// Checks that a file is asked for and can be written.
int checkReport(CommandContext& c) {
    if (optionValue(c, kPdfOption) == nullptr && optionValue(c, kTextOption) == nullptr)
        return usageError(c.err, "report needs --pdf FILE or --text FILE");
    return pdfAvailable(c) ? kExitOk : kExitUsage;
}

int runReport(CommandContext& c) {
    Workspace& ws = c.session.workspace();
    return writeListFiles(c, holdingTable(holdingRows(ws, ws.holdings)), kHoldingsReport,
                          "holdings list");
}

}  // namespace

Command reportCommand() {
    return {
        .name = "report",
        .arguments = "ACCOUNT",
        .summary = "print or save an account's holdings list",
        .description =
            "Writes the account's holdings list as the window's 数据打印 and 数据存盘 do: the\n"
            "printed report \"盈亏明细打印\" on A4 paper as a PDF file, and the text export (GBK,\n"
            "a TAB after every field, CR LF line ends). At least one of the two is needed; they\n"
            "are the only files the command writes. An empty list has no report (exit 1), but\n"
            "its text export is the header line.",
        .columns = noColumns,
        .run = {checkReport, runReport},
        .options = {{kPdfOption, "FILE", "the printed report, as a PDF file"},
                    {kTextOption, "FILE", "the text export"}},
        .needsPassword = true,
    };
}

}  // namespace fiscora::cli

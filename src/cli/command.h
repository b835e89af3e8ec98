#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "cli/output_table.h"
#include "cli/pdf_report_writer.h"

namespace fiscora::cli {

struct CommandContext {
    const CliOptions& options;
    CliSession& session;
    std::ostream& out;
    std::ostream& err;
    const PdfReportWriter& pdfWriter;
};

// One command of the command line: its name and help, the columns it prints, and what
// it does (returning the exit code).
struct Command {
    const char* name;
    const char* arguments;    // "ACCOUNT", or "" for none
    const char* summary;      // one line for the overview
    const char* description;  // the command's help
    bool needsPassword;
    std::vector<Column> (*columns)();
    int (*run)(CommandContext& context);
};

// Every command, in the order the help lists them.
const std::vector<Command>& commands();
const Command* findCommand(const std::string& name);

}  // namespace fiscora::cli

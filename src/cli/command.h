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
    CliSession& session;  // opened read-only; not opened for commands that write
    std::ostream& out;
    std::ostream& err;
    const PdfReportWriter& pdfWriter;
};

// An option a command takes after its name.
struct CommandOption {
    const char* name;   // "--trade-type"
    const char* value;  // "TEXT"
    const char* help;
    bool required = false;
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
    std::vector<CommandOption> options = {};
    // Writes the data files through the window's own commands instead of reading.
    bool writes = false;
    // Takes one of several argument forms (`arguments` lists them), which it checks itself.
    bool variableArguments = false;

    bool takes(const std::string& option) const {
        for (const CommandOption& o : options) {
            if (option == o.name) return true;
        }
        return false;
    }
};

// Every command, in the order the help lists them.
const std::vector<Command>& commands();
const Command* findCommand(const std::string& name);

}  // namespace fiscora::cli

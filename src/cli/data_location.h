#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "cli/cli_options.h"
#include "cli/session_quotes.h"

namespace fiscora::cli {

// Where a command's data is: the data folder and the fee table.
struct DataLocation {
    std::string dataDirectory;
    std::optional<std::string> tradeParamFile;
    // The home folder holding the data folder, when no --data named it.
    std::optional<std::string> homeFolder;
};

// What every command does first: resolves --data and --params against their defaults
// (home_defaults.h) and installs the quotes (the snapshot of --quotes, else the home
// folder's).
// kExitOk with `location` set, or the exit code after the failure's message.
int prepareSession(const CliOptions& options, SessionQuotes& quotes, std::ostream& err,
                   DataLocation& location);

}  // namespace fiscora::cli

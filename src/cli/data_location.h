#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "cli/cli_options.h"
#include "host/quote_snapshot.h"

namespace fiscora::cli {

// Where a command's data is: the data folder and the fee table.
struct DataLocation {
    std::string dataDirectory;
    std::optional<std::string> tradeParamFile;
    // The home folder holding the data folder, when no --data named it.
    std::optional<std::string> homeFolder;
};

// What every command does first: installs the quote snapshot of --quotes, if any, and
// resolves --data and --params against their defaults (home_defaults.h).
// kExitOk with `location` set, or the exit code after the failure's message.
int prepareSession(const CliOptions& options, QuoteSnapshot& snapshot, std::ostream& err,
                   DataLocation& location);

}  // namespace fiscora::cli

#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "cli/cli_options.h"
#include "host/messages.h"
#include "host/quote_snapshot.h"

namespace fiscora::cli {

// Where a command's data is: the data folder and the fee table.
struct DataLocation {
    std::string dataDirectory;
    std::optional<std::string> tradeParamFile;
};

// What every command does first: installs the quote snapshot of --quotes, if any, and
// resolves --data and --params against the library's defaults (./invest/, ./trdpara.dat).
// kExitOk with `location` set, or the exit code after the failure's message.
int prepareSession(const CliOptions& options, QuoteSnapshot& snapshot, Messages& messages,
                   std::ostream& err, DataLocation& location);

}  // namespace fiscora::cli

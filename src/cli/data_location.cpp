#include "cli/data_location.h"

#include "cli/exit_codes.h"
#include "cli/home_defaults.h"
#include "store/quote_snapshot_file.h"

namespace fiscora::cli {

int prepareSession(const CliOptions& options, QuoteSnapshot& snapshot, std::ostream& err,
                   DataLocation& location) {
    if (options.quotesFile) {
        std::string error;
        if (!loadQuoteSnapshot(snapshot, *options.quotesFile, error)) {
            err << "fiscora-cli: " << error << '\n';
            return kExitUsage;
        }
        snapshot.install();
    }
    const std::optional<FolderDefaults> defaults = folderDefaults(options);
    if (!defaults) {
        err << "fiscora-cli: " << kNoHomeFolder << '\n';
        return kExitUsage;
    }
    location.dataDirectory = defaults->dataDirectory;
    location.tradeParamFile = options.paramsFile.value_or(defaults->tradeParamFile);
    location.homeFolder = defaults->homeFolder;
    return kExitOk;
}

}  // namespace fiscora::cli

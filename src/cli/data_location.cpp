#include "cli/data_location.h"

#include "cli/exit_codes.h"
#include "cli/home_defaults.h"

namespace fiscora::cli {

int prepareSession(const CliOptions& options, SessionQuotes& quotes, std::ostream& err,
                   DataLocation& location) {
    const std::optional<FolderDefaults> defaults = folderDefaults(options);
    if (!defaults) {
        err << "fiscora-cli: " << kNoHomeFolder << '\n';
        return kExitUsage;
    }
    location.dataDirectory = defaults->dataDirectory;
    location.tradeParamFile = options.paramsFile.value_or(defaults->tradeParamFile);
    location.homeFolder = defaults->homeFolder;
    return quotes.install(options, location.homeFolder, err);
}

}  // namespace fiscora::cli

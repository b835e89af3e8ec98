#include "cli/home_defaults.h"

#include "store/home_folder.h"
#include "store/trade_param_file.h"

namespace fiscora::cli {

std::optional<FolderDefaults> folderDefaults(const CliOptions& options) {
    FolderDefaults d;
    std::string base;
    if (options.dataDirectory) {
        base = *options.dataDirectory + "../";
        d.dataDirectory = *options.dataDirectory;
    } else {
        const auto home = resolveHomeFolder(homeSourcesOfProcess(options.homeFolder));
        if (!home) return std::nullopt;
        base = home->path;
        d.dataDirectory = base + kDataFolderName;
        d.homeFolder = base;
    }
    d.tradeParamFile = base + kTradeParamFileName;
    d.hostDirectory = base;
    return d;
}

}  // namespace fiscora::cli

#include "cli/data_location.h"

#include "cli/exit_codes.h"
#include "host/module_state.h"
#include "store/quote_snapshot_file.h"
#include "store/trade_param_file.h"

namespace fiscora::cli {

int prepareSession(const CliOptions& options, QuoteSnapshot& snapshot, Messages& messages,
                   std::ostream& err, DataLocation& location) {
    if (options.quotesFile) {
        std::string error;
        if (!loadQuoteSnapshot(snapshot, *options.quotesFile, error)) {
            err << "fiscora-cli: " << error << '\n';
            return kExitUsage;
        }
        snapshot.install();
    }
    if (options.dataDirectory) {
        location.dataDirectory = *options.dataDirectory;
    } else if (initDefaultDataDirectory()) {
        location.dataDirectory = dataDirectory();
    } else {
        messages.plain("找不到当前路径！");
        return kExitRefused;
    }
    location.tradeParamFile = options.paramsFile;
    if (!location.tradeParamFile) {
        location.tradeParamFile = tradeParamPath(messages);
        if (!location.tradeParamFile) return kExitRefused;
    }
    return kExitOk;
}

}  // namespace fiscora::cli

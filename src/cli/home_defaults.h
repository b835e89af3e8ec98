#pragma once

#include <optional>
#include <string>

#include "cli/cli_options.h"

namespace fiscora::cli {

// Where a command's files are when no option names them. All come from one folder laid out
// as a quote terminal's working folder: the folder around the data folder when --data DIR/
// is given (DIR/../, where a terminal keeps trdpara.dat and mkthome/), else the home folder
// (--home, FISCORA_HOME, ./ when it holds invest/, the folder chosen in 设置,
// $XDG_DATA_HOME/fiscora). Each path ends as the option's would.
struct FolderDefaults {
    std::string dataDirectory;   // with a trailing '/'
    std::string tradeParamFile;  // .../trdpara.dat
    std::string hostDirectory;   // with a trailing '/'
    // The home folder, when the data folder is the one inside it: a first booking creates
    // it.
    std::optional<std::string> homeFolder;
};

// Nothing when no home folder can be found (no HOME and no option naming one).
std::optional<FolderDefaults> folderDefaults(const CliOptions& options);

// The message for that case.
inline constexpr const char* kNoHomeFolder =
    "no home folder: HOME is not set; give --home DIR or --data DIR";

}  // namespace fiscora::cli

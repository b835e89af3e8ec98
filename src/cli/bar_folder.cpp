#include "cli/bar_folder.h"

#include <filesystem>
#include <optional>

#include "cli/exit_codes.h"
#include "cli/usage.h"
#include "host/module_state.h"

namespace fiscora::cli {

int barFolder(CommandContext& c, std::string& folder) {
    const std::optional<std::string> chosen =
        c.options.hostDirectory ? c.options.hostDirectory : currentDirectory();
    if (!chosen) {
        c.err << "找不到当前路径！\n";
        return kExitRefused;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(*chosen, error))
        return usageError(c.err, "--host-dir " + *chosen + " is not a folder");
    folder = *chosen;
    return kExitOk;
}

}  // namespace fiscora::cli

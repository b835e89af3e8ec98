#include "cli/bar_folder.h"

#include <filesystem>
#include <optional>

#include "cli/exit_codes.h"
#include "cli/home_defaults.h"
#include "cli/usage.h"

namespace fiscora::cli {

int barFolder(CommandContext& c, std::string& folder) {
    if (!c.options.hostDirectory) {
        const std::optional<FolderDefaults> defaults = folderDefaults(c.options);
        if (!defaults) return usageError(c.err, kNoHomeFolder);
        folder = defaults->hostDirectory;
        return kExitOk;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(*c.options.hostDirectory, error))
        return usageError(c.err, "--host-dir " + *c.options.hostDirectory + " is not a folder");
    folder = *c.options.hostDirectory;
    return kExitOk;
}

}  // namespace fiscora::cli

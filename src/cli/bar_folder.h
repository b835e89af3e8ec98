#pragma once

#include <string>

#include "cli/command.h"

namespace fiscora::cli {

// The quote terminal's folder whose daily bar files a command reads: --host-dir, else the
// folder around the data folder (home_defaults.h). kExitOk with `folder` set, else the exit
// code after the message: no home folder, or a --host-dir that is no folder (a mistyped one
// would value every position at 0).
int barFolder(CommandContext& c, std::string& folder);

}  // namespace fiscora::cli

#pragma once

#include <string>

#include "cli/command.h"

namespace fiscora::cli {

// The quote terminal's folder whose daily bar files a command reads: --host-dir, else the
// current directory. kExitOk with `folder` set, else the exit code after the message: a
// current directory that cannot be read, or a --host-dir that is no folder (a mistyped one
// would value every position at 0).
int barFolder(CommandContext& c, std::string& folder);

}  // namespace fiscora::cli

#pragma once

#include "cli/command.h"

namespace fiscora::cli {

Command renameAccountCommand();
Command changePasswordCommand();

}  // namespace fiscora::cli

#pragma once

#include "cli/command.h"

namespace fiscora::cli {

Command renameAccountCommand();
Command changePasswordCommand();
Command protectCommand();
Command unprotectCommand();

}  // namespace fiscora::cli

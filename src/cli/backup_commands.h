#pragma once

#include "cli/command.h"

namespace fiscora::cli {

Command backupsCommand();
Command restoreCommand();

}  // namespace fiscora::cli

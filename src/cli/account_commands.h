#pragma once

#include "cli/command.h"

namespace fiscora::cli {

// Commands over the registry, which need no password.
Command accountsCommand();
Command verifyCommand();

}  // namespace fiscora::cli

#pragma once

#include "cli/command.h"

namespace fiscora::cli {

// Commands over the registry, which need no password.
Command accountsCommand();
Command verifyCommand();
// Creates an account through the window's own command.
Command createAccountCommand();

}  // namespace fiscora::cli

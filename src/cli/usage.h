#pragma once

#include <ostream>
#include <string>

#include "cli/command.h"

namespace fiscora::cli {

// The overview printed by --help: synopsis, commands, options, password, exit status.
std::string generalHelp();
// One command's help: synopsis, description, its fields, the options.
std::string commandHelp(const Command& command);
// The short reminder printed with a usage error.
std::string usageHint();
// Says why the command line is wrong, with the reminder, on `err`; kExitUsage.
int usageError(std::ostream& err, const std::string& why);

}  // namespace fiscora::cli

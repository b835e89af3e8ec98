#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_services.h"

namespace fiscora::cli {

// Runs the command line `args` (without the program name) and returns the exit code.
// `services` has the writers of --pdf and --png (refused without them) and the clock.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliServices& services = {});

}  // namespace fiscora::cli

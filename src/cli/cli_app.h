#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace fiscora::cli {

// Runs the command line `args` (without the program name) and returns the exit code.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace fiscora::cli

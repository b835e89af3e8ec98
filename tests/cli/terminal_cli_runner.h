#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cli/cli_runner.h"

namespace fiscora::test {

// What is typed on the terminal once a prompt shows: (prompt, line without its end).
using TerminalInput = std::vector<std::pair<std::string, std::string>>;

// Runs the built fiscora-cli in `workingDirectory` as runCli does, but with a terminal of
// its own (a pseudo-terminal as its controlling terminal) on which each line of `typed` is
// typed after its prompt appears. stdout and stderr are captured apart from the terminal;
// `terminal` receives what the program wrote to the terminal.
CliRun runCliOnTerminal(const std::string& workingDirectory, const std::vector<std::string>& args,
                        const TerminalInput& typed, std::string& terminal);

}  // namespace fiscora::test

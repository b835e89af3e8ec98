#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "records/ledger_record.h"

namespace fiscora::test {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built fiscora-cli in `workingDirectory` with only TZ, LANG and `extraEnv` in
// its environment, stdin from /dev/null and no controlling terminal, so a password
// prompt cannot wait for input.
CliRun runCli(const std::string& workingDirectory, const std::vector<std::string>& args,
              const std::vector<std::string>& extraEnv = {});

// In a child process: becomes fiscora-cli run in `workingDirectory` with only TZ, LANG and
// `extraEnv` in its environment, stdin from /dev/null, its output into the two files.
[[noreturn]] void execCli(const std::string& workingDirectory, const std::vector<std::string>& args,
                          const std::vector<std::string>& extraEnv, const std::string& outPath,
                          const std::string& errPath);

// Starts fiscora-cli as runCli does, its output into the two files, without waiting.
pid_t startCli(const std::string& workingDirectory, const std::vector<std::string>& args,
               const std::vector<std::string>& extraEnv, const std::string& outPath,
               const std::string& errPath);
// Waits for a started run: its exit code, or 128 + the signal that ended it.
int waitForCli(pid_t pid);

// Every file below `root` (relative path -> bytes, folders as "path/" -> ""), to show
// that a run neither changed nor created anything.
std::map<std::string, std::string> treeContents(const std::string& root);

// `run` must be refused: exit code `exitCode`, `message` on stderr, nothing on stdout, and
// not a byte below `root` changed.
void expectRefusedRun(const std::string& root, const std::function<CliRun()>& run,
                      const std::string& message, int exitCode);

}  // namespace fiscora::test

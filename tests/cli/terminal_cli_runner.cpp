#include "cli/terminal_cli_runner.h"

#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <csignal>

#include <stdexcept>

#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

// Reads what the program writes to the terminal into `pending` until it holds `until`, or
// with `until` empty to the end of the program's output. A program that stops writing
// for half a minute has hung: the read gives up rather than block the test run.
bool readTerminal(int master, std::string& pending, const std::string& until) {
    char buffer[256];
    for (;;) {
        if (!until.empty() && pending.find(until) != std::string::npos) return true;
        pollfd ready{master, POLLIN, 0};
        if (::poll(&ready, 1, 30'000) <= 0) return false;
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0) return until.empty();  // EIO: every holder of the terminal has closed it
        pending.append(buffer, static_cast<std::size_t>(n));
    }
}

}  // namespace

CliRun runCliOnTerminal(const std::string& workingDirectory, const std::vector<std::string>& args,
                        const TerminalInput& typed, std::string& terminal) {
    TempDir capture;
    const std::string outPath = capture.file("out");
    const std::string errPath = capture.file("err");
    int master = -1;
    // The child leads a session of its own with the pseudo-terminal as its controlling one.
    const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
    if (pid < 0) throw std::runtime_error("forkpty failed");
    if (pid == 0) execCli(workingDirectory, args, {}, outPath, errPath);
    std::string pending;
    for (const auto& [prompt, line] : typed) {
        if (!readTerminal(master, pending, prompt)) break;
        const std::size_t end = pending.find(prompt) + prompt.size();
        terminal += pending.substr(0, end);
        pending.erase(0, end);
        // Typed only once the prompt shows: the program switches echo off first, which
        // drops what was typed before.
        const std::string entered = line + "\n";
        if (::write(master, entered.data(), entered.size()) < 0) break;
    }
    // A program that hangs is ended, so that the wait below ends.
    if (!readTerminal(master, pending, {})) ::kill(pid, SIGKILL);
    terminal += pending;
    // The terminal is closed only after the program ends: closing it hangs the program up.
    CliRun run;
    run.exitCode = waitForCli(pid);
    ::close(master);
    run.out = readText(outPath);
    run.err = readText(errPath);
    return run;
}

}  // namespace fiscora::test

#include "cli/terminal_cli_runner.h"

#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

// A program that neither writes nor ends for half a minute has hung.
constexpr int kHangMilliseconds = 30'000;

// Reads what the program writes to the terminal into `pending` until it holds `until`.
// False when the program wrote nothing more for kHangMilliseconds.
bool readUntil(int master, std::string& pending, const std::string& until) {
    char buffer[256];
    while (pending.find(until) == std::string::npos) {
        pollfd ready{master, POLLIN, 0};
        if (::poll(&ready, 1, kHangMilliseconds) <= 0) return false;
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0) return false;
        pending.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

// Reads the terminal until the program ends; one that hangs is killed. Its exit code.
int finish(pid_t pid, int master, std::string& pending) {
    char buffer[256];
    for (int waited = 0; waited < kHangMilliseconds; waited += 100) {
        pollfd ready{master, POLLIN, 0};
        if (::poll(&ready, 1, 100) > 0) {
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0) pending.append(buffer, static_cast<std::size_t>(n));
        }
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    ::kill(pid, SIGKILL);
    return waitForCli(pid);
}

}  // namespace

CliRun runCliOnTerminal(const std::string& workingDirectory, const std::vector<std::string>& args,
                        const TerminalInput& typed, std::string& terminal) {
    TempDir capture;
    const std::string outPath = capture.file("out");
    const std::string errPath = capture.file("err");
    // The test keeps the terminal's other end open too, so that reading it never fails
    // while the program has it closed between its own opens.
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        // A session of its own with the terminal as its controlling terminal.
        ::setsid();
        ::ioctl(slave, TIOCSCTTY, 0);
        ::close(master);
        ::close(slave);
        execCli(workingDirectory, args, {}, outPath, errPath);
    }
    std::string pending;
    for (const auto& [prompt, line] : typed) {
        if (!readUntil(master, pending, prompt)) break;
        const std::size_t end = pending.find(prompt) + prompt.size();
        terminal += pending.substr(0, end);
        pending.erase(0, end);
        // Typed only once the prompt shows: the program switches echo off first, which
        // drops what was typed before.
        const std::string entered = line + "\n";
        if (::write(master, entered.data(), entered.size()) < 0) break;
    }
    CliRun run;
    run.exitCode = finish(pid, master, pending);
    terminal += pending;
    ::close(slave);
    ::close(master);
    run.out = readText(outPath);
    run.err = readText(errPath);
    return run;
}

}  // namespace fiscora::test

#include "cli/terminal_messages.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>

namespace fiscora::cli {

void TerminalMessages::show(const std::string& text, const std::string& /*caption*/,
                            MessageIcon /*icon*/) {
    err_ << text << '\n';
    ++count_;
}

namespace {

// The question on the controlling terminal and the user's answer; No without a terminal.
bool askedOnTerminal(const std::string& text) {
    const int tty = ::open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (tty < 0) return false;
    const std::string prompt = text + " [y/N] ";
    [[maybe_unused]] const ssize_t written = ::write(tty, prompt.data(), prompt.size());
    std::string line;
    char ch = 0;
    while (line.size() < 16 && ::read(tty, &ch, 1) == 1 && ch != '\n') line += ch;
    ::close(tty);
    return line == "y" || line == "Y" || line == "yes" || line == "YES";
}

}  // namespace

bool TerminalMessages::ask(const std::string& text, const std::string& /*caption*/) {
    ++count_;
    if (!answer_ && askTerminal_ && ::isatty(STDIN_FILENO) == 1) return askedOnTerminal(text);
    err_ << text << (answer_ ? " (yes)\n" : " (no)\n");
    return answer_;
}

}  // namespace fiscora::cli

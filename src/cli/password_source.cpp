#include "cli/password_source.h"

#include "cli/exit_codes.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace fiscora::cli {
namespace {

// Longest line read from the terminal or a file; a password holds at most 20 GBK bytes,
// so anything longer can only be refused, and a file such as /dev/zero must not be read
// without end.
constexpr std::size_t kMaxPasswordBytes = 1024;

// An interrupt while echo is off must not leave the terminal silent: the handler puts
// the saved settings back and lets the signal end the program as usual.
int echoTty = -1;
termios echoSettings{};
constexpr int kRestoringSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

extern "C" void restoreEchoAndRaise(int signal) {
    ::tcsetattr(echoTty, TCSAFLUSH, &echoSettings);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

class EchoOff {
public:
    EchoOff(int tty, const termios& saved) {
        echoTty = tty;
        echoSettings = saved;
        struct sigaction action {};
        action.sa_handler = restoreEchoAndRaise;
        for (std::size_t i = 0; i < std::size(kRestoringSignals); ++i)
            ::sigaction(kRestoringSignals[i], &action, &previous_[i]);
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        quiet.c_lflag |= ICANON;
        ::tcsetattr(tty, TCSAFLUSH, &quiet);
    }
    ~EchoOff() {
        ::tcsetattr(echoTty, TCSAFLUSH, &echoSettings);
        for (std::size_t i = 0; i < std::size(kRestoringSignals); ++i)
            ::sigaction(kRestoringSignals[i], &previous_[i], nullptr);
        echoTty = -1;
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    struct sigaction previous_[std::size(kRestoringSignals)]{};
};

PasswordResult fromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {std::nullopt, "cannot read the password file " + path};
    std::string text(kMaxPasswordBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return {std::nullopt, "cannot read the password file " + path};  // a folder, say
    text.resize(static_cast<std::size_t>(in.gcount()));
    return {firstLine(text), {}};
}

// Reads one line from the controlling terminal with echo switched off, restoring the
// terminal's settings afterwards. Without a terminal, `none` says where else the password
// may come from.
PasswordResult fromTerminal(const std::string& prompt, const std::string& none) {
    const int tty = ::open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (tty < 0) return {std::nullopt, none};
    termios saved{};
    if (::tcgetattr(tty, &saved) != 0) {
        ::close(tty);
        return {std::nullopt, none};
    }
    std::string line;
    bool ended = false;
    [[maybe_unused]] ssize_t ignored = 0;
    {
        // Echo goes off before the prompt shows, so that nothing typed after it is echoed.
        const EchoOff echoOff(tty, saved);
        ignored = ::write(tty, prompt.data(), prompt.size());
        char c = 0;
        for (;;) {
            const ssize_t n = ::read(tty, &c, 1);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            if (c == '\n') {
                ended = true;
                break;
            }
            if (line.size() < kMaxPasswordBytes) line += c;
        }
    }
    ignored = ::write(tty, "\n", 1);
    ::close(tty);
    if (!ended && line.empty()) return {std::nullopt, "no password typed"};
    return {firstLine(line), {}};
}

std::string noPasswordGiven(const std::string& fileOption, const char* variable) {
    return "no password given: use " + fileOption + " FILE or set " + variable;
}

}  // namespace

std::string firstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

PasswordResult readPassword(const std::optional<std::string>& passwordFile,
                            const std::string& prompt) {
    if (passwordFile) return fromFile(*passwordFile);
    if (const char* env = std::getenv(kPasswordVariable)) return {std::string(env), {}};
    return fromTerminal(prompt, noPasswordGiven("--password-file", kPasswordVariable));
}

int accountPassword(const std::optional<std::string>& passwordFile, const std::string& name,
                    std::ostream& err, std::string& password) {
    const PasswordResult typed = readPassword(passwordFile, "帐户" + name + "的密码: ");
    if (!typed.password) {
        err << "fiscora-cli: " << typed.error << '\n';
        return kExitUsage;
    }
    password = *typed.password;
    return kExitOk;
}

NewPassword readNewPassword(const NewPasswordSource& source) {
    if (source.file || std::getenv(source.variable) != nullptr) {
        PasswordResult given =
            source.file ? fromFile(*source.file) : PasswordResult{std::getenv(source.variable), {}};
        std::string confirmation = given.password.value_or("");
        return {std::move(given.password), std::move(confirmation), std::move(given.error)};
    }
    const std::string none = noPasswordGiven(source.fileOption, source.variable);
    const PasswordResult first = fromTerminal(source.prompt, none);
    if (!first.password) return {std::nullopt, {}, first.error};
    const PasswordResult again = fromTerminal("密码确认: ", none);
    if (!again.password) return {std::nullopt, {}, again.error};
    return {first.password, *again.password, {}};
}

}  // namespace fiscora::cli

#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_services.h"
#include "cli/cli_session.h"
#include "cli/exit_codes.h"
#include "cli/output_table.h"

namespace fiscora::cli {

struct Command;
class WindowSession;

struct CommandContext {
    const CliOptions& options;
    CliSession& session;  // opened read-only; not opened for commands that write
    std::ostream& out;
    std::ostream& err;
    const CliServices& services;
    const Command* command = nullptr;  // the command being run
    // What the program opened for the command: the ACCOUNT argument's account, its ledger
    // loaded into the session; or the window, logged in to ACCOUNT when it needs a password.
    const AccountInfo* account = nullptr;
    WindowSession* window = nullptr;
};

// The value of a command option, or null when it was not given.
const std::string* optionValue(const CommandContext& c, const char* name);
// The argument the command's synopsis calls `name` ("ACCOUNT").
const std::string& argument(const CommandContext& c, const char* name);

// What a command does, in two steps around the opening of its data: `read` takes the
// arguments and options into a request before any password is asked or folder locked, so
// that bad usage is said first; `run` does the work on what the program opened (kExitOk or
// the exit code, the reason said). A command that only checks its options gives `check`
// and `run`; one with nothing to check gives `run` alone.
class CommandSteps {
public:
    // Opens what the command declares; kExitOk or the exit code, the refusal said.
    using Open = std::function<int(CommandContext&)>;

    CommandSteps(int (*run)(CommandContext&))  // NOLINT: declared as the plain function
        : CommandSteps(nullptr, run) {}
    CommandSteps(int (*check)(CommandContext&), int (*run)(CommandContext&))
        : steps_([check, run](CommandContext& c, const Open& open) {
              if (const int code = check != nullptr ? check(c) : kExitOk; code != kExitOk)
                  return code;
              if (const int code = open(c); code != kExitOk) return code;
              return run(c);
          }) {}
    template <typename Request>
    CommandSteps(int (*read)(CommandContext&, Request&), int (*run)(CommandContext&, Request&))
        : steps_([read, run](CommandContext& c, const Open& open) {
              Request request{};
              if (const int code = read(c, request); code != kExitOk) return code;
              if (const int code = open(c); code != kExitOk) return code;
              return run(c, request);
          }) {}

    int operator()(CommandContext& c, const Open& open) const { return steps_(c, open); }

private:
    std::function<int(CommandContext&, const Open&)> steps_;
};

// A command's arguments, declared once by their synopsis ("ACCOUNT INDEX"): the names in
// order, separated by single spaces.
class Synopsis {
public:
    Synopsis(const char* text);  // NOLINT: commands declare it as a plain text

    const char* text() const { return text_; }
    const std::vector<std::string>& names() const { return names_; }
    std::size_t size() const { return names_.size(); }
    bool empty() const { return names_.empty(); }

private:
    const char* text_;
    std::vector<std::string> names_;
};

// An option a command takes after its name.
struct CommandOption {
    std::string name;   // "--trade-type"
    std::string value;  // its placeholder, "TEXT"; empty for a switch
    std::string help;
    bool required = false;
    // Needed or not depending on the arguments, which its help says.
    bool neededByArgument = false;
};

// What the program opens for a command (see CommandContext).
enum class Opens {
    // The registry and the fee table, read-only (CliSession), before the command reads its
    // options: nothing is created or written. With a password, also the ledger of ACCOUNT.
    Registry,
    // The window on the data (WindowSession), as the window opens it, for a command that
    // writes; after the command read its options, so that a password is asked before the
    // folder is locked. With a password, logged in to ACCOUNT.
    Window,
};

// One command of the command line, declared by name: its help, the columns it prints, what
// it does (returning the exit code), its options and what the program opens for it.
struct Command {
    const char* name;
    Synopsis arguments;       // "ACCOUNT", or "" for none
    const char* summary;      // one line for the overview
    const char* description;  // the command's help
    std::vector<Column> (*columns)();
    CommandSteps run;
    std::vector<CommandOption> options = {};
    Opens opens = Opens::Registry;
    // For a command whose arguments choose what it opens: the choice, made once it read
    // them (the registry is still opened first when `opens` says so).
    Opens (*opensFor)(const CliOptions& options) = nullptr;
    // Opens the ACCOUNT argument's account with its password.
    bool needsPassword = false;
    // Opening the account in the read-only session also computes its holdings; a command
    // that shows none of them says false, so that a large ledger is not walked for nothing.
    bool needsHoldings = true;
    // Takes one of several argument forms (`arguments` lists them), which it checks itself.
    bool variableArguments = false;

    bool takes(const std::string& option) const {
        for (const CommandOption& o : options) {
            if (option == o.name) return true;
        }
        return false;
    }
};

// Every command, in the order the help lists them.
const std::vector<Command>& commands();
const Command* findCommand(const std::string& name);

}  // namespace fiscora::cli

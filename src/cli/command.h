#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_services.h"
#include "cli/cli_session.h"
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
};

// The value of a command option, or null when it was not given.
const std::string* optionValue(const CommandContext& c, const char* name);
// The argument the command's synopsis calls `name` ("ACCOUNT").
const std::string& argument(const CommandContext& c, const char* name);

// Loads the ledger of the ACCOUNT argument into the read-only session, its password checked.
// kExitOk with `account` set, or the exit code with the refusal's message on stderr.
int openAccount(CommandContext& c, const AccountInfo*& account);
// Opens the window on the data and logs in to the ACCOUNT argument, for commands that write.
// kExitOk, or the exit code with the refusal's message on stderr.
int openAccountWindow(CommandContext& c, WindowSession& window);

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
    const char* name;   // "--trade-type"
    const char* value;  // "TEXT"
    std::string help;
    bool required = false;
};

// What the program opens before a command runs.
enum class Opens {
    // The registry and the fee table, read-only (CliSession): nothing is created or written;
    // the command opens an account's ledger in it (openAccount).
    Registry,
    // Nothing: the command writes, and opens the window on the data itself (WindowSession,
    // openAccountWindow), as the window opens it.
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
    int (*run)(CommandContext& context);
    std::vector<CommandOption> options = {};
    Opens opens = Opens::Registry;
    // Opens an account with its password.
    bool needsPassword = false;
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

#include "cli/cli_app.h"

#include <optional>

#include "cli/command.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"
#include "cli/window_session.h"

namespace fiscora::cli {
namespace {

// Opens, once the command read its options, what it declares: the ledger of ACCOUNT in the
// read-only session (opened before, when the command declares the registry), or the window,
// logged in to ACCOUNT when the command needs its password.
int openDeclared(CommandContext& c, std::optional<WindowSession>& window) {
    const Command& command = *c.command;
    const Opens opens = command.opensFor != nullptr ? command.opensFor(c.options) : command.opens;
    if (opens == Opens::Registry) {
        if (command.opens != Opens::Registry) {
            if (const int code = c.session.open(); code != kExitOk) return code;
        }
        if (!command.needsPassword) return kExitOk;
        return c.session.openLedger(argument(c, "ACCOUNT"), c.account,
                                    command.needsHoldings ? HoldingsOnLoad::Computed
                                                          : HoldingsOnLoad::Skipped);
    }
    c.window = &window.emplace(c.options, c.err);
    if (const int code = window->open(); code != kExitOk) return code;
    return command.needsPassword ? window->login(argument(c, "ACCOUNT")) : kExitOk;
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliServices& services) {
    const ParseResult parsed = parseCommandLine(args);
    if (!parsed.error.empty()) return usageError(err, parsed.error);
    const CliOptions& options = parsed.options;
    if (options.version) {
        out << "fiscora-cli " << FISCORA_VERSION << '\n';
        return kExitOk;
    }

    const Command* command = nullptr;
    if (!options.command.empty()) {
        command = findCommand(options.command);
        if (command == nullptr)
            return usageError(err, "unknown command \"" + options.command + "\"");
    }
    if (options.help) {
        out << (command != nullptr ? commandHelp(*command) : generalHelp());
        return kExitOk;
    }
    if (command == nullptr) return usageError(err, "no command given");
    const std::size_t wanted = command->arguments.size();
    if (!command->variableArguments && options.arguments.size() != wanted) {
        const std::string takes = wanted == 0 ? " takes no arguments"
                                  : wanted == 1
                                      ? " takes one account name"
                                      : std::string(" takes ") + command->arguments.text();
        return usageError(err, std::string(command->name) + takes);
    }

    for (const auto& [name, value] : options.commandOptions) {
        if (!command->takes(name))
            return usageError(err, std::string(command->name) + " has no option " + name);
    }
    for (const CommandOption& o : command->options) {
        if (o.required && !options.commandOptions.contains(o.name))
            return usageError(err, std::string(command->name) + " needs " + o.name + " " + o.value);
    }

    CliSession session(options, err);
    if (command->opens == Opens::Registry) {
        if (const int code = session.open(); code != kExitOk) return code;
    }
    std::optional<WindowSession> window;
    CommandContext context{options, session, out, err, services, command};
    return command->run(context, [&window](CommandContext& c) { return openDeclared(c, window); });
}

}  // namespace fiscora::cli

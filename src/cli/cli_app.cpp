#include "cli/cli_app.h"

#include "cli/command.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"

namespace fiscora::cli {
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
    CommandContext context{options, session, out, err, services, command};
    return command->run(context);
}

}  // namespace fiscora::cli

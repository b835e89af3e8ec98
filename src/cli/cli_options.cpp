#include "cli/cli_options.h"

#include <set>

#include "cli/command.h"

namespace fiscora::cli {
namespace {

// An option that takes no value: the command declares it without a placeholder.
bool isSwitch(const std::string& command, const std::string& name) {
    const Command* declared = findCommand(command);
    if (declared == nullptr) return false;
    for (const CommandOption& o : declared->options) {
        if (o.name == name) return o.value.empty();
    }
    return false;
}

// Splits "--name=value" into its two halves; other words keep their whole text as name.
struct Word {
    std::string name;
    std::optional<std::string> inlineValue;
};

Word splitWord(const std::string& word) {
    const auto eq = word.find('=');
    if (word.rfind("--", 0) != 0 || eq == std::string::npos) return {word, std::nullopt};
    return {word.substr(0, eq), word.substr(eq + 1)};
}

std::optional<std::string>* valueSlot(CliOptions& o, const std::string& name) {
    if (name == "--home") return &o.homeFolder;
    if (name == "--data") return &o.dataDirectory;
    if (name == "--params") return &o.paramsFile;
    if (name == "--quotes") return &o.quotesFile;
    if (name == "--password-file") return &o.passwordFile;
    if (name == "--host-dir") return &o.hostDirectory;
    return nullptr;
}

}  // namespace

ParseResult parseCommandLine(const std::vector<std::string>& args) {
    ParseResult result;
    CliOptions& o = result.options;
    // Each option once: a second one would otherwise silently win.
    std::set<std::string> seen;
    const auto repeated = [&](const std::string& name) {
        if (seen.insert(name).second) return false;
        result.error = "option " + name + " is given twice";
        return true;
    };
    std::size_t i = 0;
    // Global options, up to the command.
    for (; i < args.size(); ++i) {
        const Word w = splitWord(args[i]);
        if (w.name == "--help" || w.name == "-h") {
            o.help = true;
            continue;
        }
        if (w.name == "--version") {
            o.version = true;
            continue;
        }
        if (w.name.size() < 2 || w.name[0] != '-') break;
        std::optional<std::string>* slot = valueSlot(o, w.name);
        const bool isFormat = w.name == "--format";
        if (slot == nullptr && !isFormat) {
            result.error = "unknown option " + w.name;
            return result;
        }
        if (repeated(w.name)) return result;
        std::optional<std::string> value = w.inlineValue;
        if (!value && i + 1 < args.size()) value = args[++i];
        if (!value || value->empty()) {
            result.error = "option " + w.name + " needs a value";
            return result;
        }
        if (!isFormat) {
            *slot = *value;
        } else if (*value == "tsv") {
            o.format = OutputFormat::Tsv;
        } else if (*value == "json") {
            o.format = OutputFormat::Json;
        } else {
            result.error = "--format takes tsv or json, not \"" + *value + "\"";
            return result;
        }
    }
    for (std::optional<std::string>* folder : {&o.homeFolder, &o.dataDirectory, &o.hostDirectory}) {
        if (*folder && (*folder)->back() != '/') **folder += '/';
    }
    if (i == args.size()) return result;

    o.command = args[i++];
    if (o.command == "help") {
        // "help CMD" asks for the command's help; "help" alone for the overview.
        o.help = true;
        o.command.clear();
        if (i < args.size()) o.command = args[i++];
        if (i < args.size()) result.error = "help takes one command name";
        return result;
    }
    bool optionsEnded = false;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (a == "--help" || a == "-h")) {
            o.help = true;
        } else if (!optionsEnded && a.rfind("--", 0) == 0 && a.size() > 2) {
            const Word w = splitWord(a);
            std::optional<std::string> value = w.inlineValue;
            if (isSwitch(o.command, w.name)) {
                if (value) {
                    result.error = w.name + " takes no value";
                    return result;
                }
                value = "";
            }
            if (!value && i + 1 < args.size()) value = args[++i];
            if (!value) {
                result.error = "option " + w.name + " needs a value";
                return result;
            }
            if (repeated(w.name)) return result;
            o.commandOptions[w.name] = *value;
        } else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
            result.error = "unknown option " + a + " for " + o.command;
            return result;
        } else {
            o.arguments.push_back(a);
        }
    }
    return result;
}

}  // namespace fiscora::cli

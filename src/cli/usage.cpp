#include "cli/usage.h"

#include <algorithm>

#include "cli/exit_codes.h"
#include "cli/password_source.h"
#include "cli/value_choices.h"

namespace fiscora::cli {
namespace {

// "--name VALUE", or "--name" alone for an option without a value.
std::string optionWithValue(const CommandOption& o) {
    return o.value.empty() ? o.name : o.name + " " + o.value;
}

std::string synopsis(const Command& c) {
    std::string s = std::string("fiscora-cli [OPTIONS] ") + c.name;
    if (!c.arguments.empty()) s += std::string(" ") + c.arguments.text();
    for (const CommandOption& o : c.options)
        s += o.required ? " " + optionWithValue(o) : " [" + optionWithValue(o) + "]";
    return s;
}

// The overview's column of command synopses, before their summaries.
constexpr std::size_t kSynopsisWidth = 22;

// The options before the command (cli_options.cpp reads them).
const std::vector<CommandOption>& globalOptions() {
    static const std::vector<CommandOption> all = {
        {"--home", "DIR",
         "the home folder, laid out as a quote terminal's folder: invest/, trdpara.dat, "
         "mkthome/ (default: $FISCORA_HOME, else the current folder when it holds invest/, "
         "else the folder chosen in 设置, else $XDG_DATA_HOME/fiscora, that is "
         "~/.local/share/fiscora)"},
        {"--data", "DIR",
         "data directory holding pinfo.dat and the ledgers (default: invest/ in the home "
         "folder)"},
        {"--params", "FILE",
         "trade parameter file (default: trdpara.dat of the home folder, or DIR/../trdpara.dat "
         "with --data DIR)"},
        {"--quotes", "FILE",
         "quote snapshot standing in for the host, one stock a line: code, market (0 深圳, "
         "1 上海), name, latest and previous close, separated by tabs (default: the home "
         "folder's quote file, then the last close of its daily bar files and the names "
         "learned from statements, as the window shows them; with --data, names are empty "
         "and prices 0)"},
        {"--password-file", "FILE", "read the account's password from the first line of FILE"},
        {"--host-dir", "DIR",
         "the quote terminal's folder, holding mkthome/ with the daily bar files the capital "
         "curve reads (default: the home folder, or DIR/../ with --data DIR)"},
        {"--format", "tsv|json", "output format (default: tsv)"},
        {"-h, --help", "", "show this help and exit"},
        {"--version", "", "show the program's version and exit"},
    };
    return all;
}

// The columns a text takes on a terminal: a Chinese character two.
std::size_t columns(const std::string& text) {
    std::size_t width = 0;
    for (const unsigned char ch : text) {
        if (ch < 0x80)
            ++width;
        else if (ch >= 0xC0)
            width += 2;
    }
    return width;
}

// One entry of an option list: "  --name VALUE" in a column of its own, then its help
// wrapped before 80 columns under the others' help. A long option and its value keep their
// whole text; the help then starts on the next line.
std::string optionEntry(const std::string& left, const std::string& help) {
    constexpr std::size_t kHelpColumn = 24;
    std::string s = "  " + left;
    std::size_t width = 2 + columns(left);
    if (width + 2 > kHelpColumn) {
        s += "\n";
        width = 0;
    }
    s += std::string(kHelpColumn - width, ' ');
    width = kHelpColumn;
    std::size_t start = 0;
    bool lineStart = true;
    while (start < help.size()) {
        std::size_t end = help.find(' ', start);
        if (end == std::string::npos) end = help.size();
        const std::string word = help.substr(start, end - start);
        if (!lineStart && width + 1 + columns(word) > 79) {
            s += "\n" + std::string(kHelpColumn, ' ');
            width = kHelpColumn;
            lineStart = true;
        }
        s += (lineStart ? "" : " ") + word;
        width += (lineStart ? 0 : 1) + columns(word);
        lineStart = false;
        start = end + 1;
    }
    return s + "\n";
}

std::string optionList(const std::string& title, const std::vector<CommandOption>& options,
                       bool markOptional) {
    std::string s = title + "\n";
    for (const CommandOption& o : options) {
        const bool optional = markOptional && !o.required && !o.neededByArgument;
        s += optionEntry(optionWithValue(o), o.help + (optional ? " (optional)" : ""));
    }
    return s;
}

std::string passwordNote() {
    return std::string("An account's password comes from --password-file, else from the "
                       "environment\nvariable ") +
           kPasswordVariable +
           ", else it is asked for on the terminal with echo off.\n"
           "It is never taken from the command line.\n";
}

const char* const kOutputNote =
    "Output: tsv is a header line of field names, then one line per row, numbers as the\n"
    "window shows them (amounts %.3lf, rates without the % sign); tabs, line breaks and\n"
    "backslashes inside texts are written \\t, \\n, \\r and \\\\. json is {\"rows\":[{...}]} with\n"
    "numbers at full precision. Reading never creates or changes a file.\n";

const char* const kExitStatus =
    "Exit status:\n"
    "  0  success\n"
    "  1  refused, with the reason on stderr: an unknown account; a wrong password; a\n"
    "     registry, ledger or fee table that is missing, damaged or tampered with; no\n"
    "     current folder; the data folder held by another program writing; an entry\n"
    "     the window's checks refuse (two different new passwords, a stock not held, a\n"
    "     record another program changed meanwhile); a question answered No (no --yes);\n"
    "     nothing to print, draw or measure; a --pdf, --png, --text or --output file\n"
    "     that cannot be written; verify: some account is not ok\n"
    "  2  bad usage: an unknown command or option, a missing or malformed value, or no\n"
    "     password given where none can be asked for\n";

}  // namespace

std::string generalHelp() {
    std::string s =
        "Usage: fiscora-cli [OPTIONS] COMMAND [ARGS]\n\n"
        "Reads Fiscora's accounts and ledgers and prints them as tab-separated text or JSON.\n"
        "The commands marked \"writes\" change the data files, always through the window's\n"
        "own commands; report writes only the files it is given.\n\n"
        "Commands:\n";
    for (const Command& c : commands()) {
        std::string left = std::string(c.name) +
                           (c.arguments.empty() ? "" : std::string(" ") + c.arguments.text());
        // A synopsis too long for its column gets a line of its own: it is never cut.
        if (left.size() > kSynopsisWidth - 2) left += "\n  " + std::string(kSynopsisWidth, ' ');
        left.resize(std::max(left.size(), kSynopsisWidth), ' ');
        s += "  " + left + c.summary + "\n";
    }
    s += "  help [COMMAND]        show the help of a command\n\n";
    s += optionList("Options (before the command):", globalOptions(), false);
    s += "\n" + passwordNote() + "\n" + kOutputNote + "\n" + kExitStatus +
         "\nRun 'fiscora-cli help COMMAND' or 'fiscora-cli COMMAND --help' for a command's "
         "fields.\n";
    return s;
}

namespace {

// "label name name ...", wrapped before 80 columns with the names indented under the first.
std::string wrappedList(const std::string& label, const std::vector<std::string>& names) {
    std::string s = label;
    std::size_t width = label.size();
    for (const std::string& name : names) {
        if (width + 1 + name.size() > 79) {
            s += "\n" + std::string(label.size(), ' ');
            width = label.size();
        }
        s += " " + name;
        width += 1 + name.size();
    }
    return s + "\n";
}

}  // namespace

std::string commandHelp(const Command& c) {
    std::vector<std::string> fields;
    std::vector<std::string> jsonOnly;
    for (const Column& col : c.columns()) (col.jsonOnly ? jsonOnly : fields).push_back(col.name);
    std::string s = "Usage: " + synopsis(c) + "\n\n" + c.description + "\n";
    if (!fields.empty()) s += "\n" + wrappedList("Fields:", fields);
    if (!jsonOnly.empty()) s += wrappedList("JSON also:", jsonOnly);
    if (!c.options.empty())
        s += "\n" + optionList("Options of " + std::string(c.name) + ":", c.options, true);
    if (const std::vector<ValueChoice> choices = valueChoices(c); !choices.empty()) {
        s += "\nValues:\n";
        for (const ValueChoice& choice : choices) {
            std::string alternatives;
            for (const std::string& value : choice.values)
                alternatives += (alternatives.empty() ? "" : "|") + value;
            s += "  " + choice.key +
                 std::string(std::max<std::size_t>(20 - choice.key.size(), 1), ' ') + "  " +
                 alternatives + "\n";
        }
    }
    s += "\n" + optionList("Options (before the command):", globalOptions(), false);
    if (c.needsPassword) s += "\n" + passwordNote();
    s += std::string("\n") + kExitStatus;
    return s;
}

int usageError(std::ostream& err, const std::string& why) {
    err << "fiscora-cli: " << why << '\n' << usageHint();
    return kExitUsage;
}

std::string usageHint() {
    return "Usage: fiscora-cli [OPTIONS] COMMAND [ARGS]\nRun 'fiscora-cli --help' for more.\n";
}

}  // namespace fiscora::cli

#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fiscora::cli {

enum class OutputFormat { Tsv, Json };

// Answers Yes to the questions a command's window asks; it takes no value.
inline constexpr const char* kYesOption = "--yes";
// Chooses the whole account instead of one stock; it takes no value.
inline constexpr const char* kTotalOption = "--total";

// The command line: global options, then a command and its arguments.
struct CliOptions {
    // The home folder (see home_defaults.h), with a trailing '/'.
    std::optional<std::string> homeFolder;
    std::optional<std::string> dataDirectory;  // with a trailing '/'
    std::optional<std::string> paramsFile;
    std::optional<std::string> quotesFile;
    std::optional<std::string> passwordFile;
    // The quote terminal's folder, holding mkthome/ with the daily bar files; with a
    // trailing '/'.
    std::optional<std::string> hostDirectory;
    OutputFormat format = OutputFormat::Tsv;
    std::string command;  // empty: none given
    std::vector<std::string> arguments;
    // "--name VALUE" after the command, by name ("--trade-type"); each command says
    // which it takes.
    std::map<std::string, std::string> commandOptions;
    bool help = false;     // --help, or the help command
    bool version = false;  // --version
};

struct ParseResult {
    CliOptions options;
    std::string error;  // empty when the command line is well formed
};

// Parses argv[1...]. "--name VALUE" and "--name=VALUE" both work, before the command for
// the global options and after it for the command's own; "--help"/"-h" asks for help and
// "--" ends the options.
ParseResult parseCommandLine(const std::vector<std::string>& args);

}  // namespace fiscora::cli

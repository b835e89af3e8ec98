#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fiscora::cli {

enum class OutputFormat { Tsv, Json };

// The command line: global options, then a command and its arguments.
struct CliOptions {
    std::optional<std::string> dataDirectory;  // with a trailing '/'
    std::optional<std::string> paramsFile;
    std::optional<std::string> quotesFile;
    std::optional<std::string> passwordFile;
    OutputFormat format = OutputFormat::Tsv;
    std::string command;                       // empty: none given
    std::vector<std::string> arguments;
    bool help = false;                         // --help, or the help command
    // The files the report command writes (its own options, after the command).
    std::optional<std::string> pdfFile;
    std::optional<std::string> textFile;
};

// The one command with options of its own: --pdf FILE and --text FILE.
inline constexpr const char* kReportCommand = "report";

struct ParseResult {
    CliOptions options;
    std::string error;  // empty when the command line is well formed
};

// Parses argv[1...]. "--name VALUE" and "--name=VALUE" both work; after the command only
// "--help"/"-h" and plain arguments are taken, and "--" ends the options.
ParseResult parseCommandLine(const std::vector<std::string>& args);

}  // namespace fiscora::cli

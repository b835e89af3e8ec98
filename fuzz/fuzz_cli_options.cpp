// The command line's argument parsing: the input is argv[1...] separated by NUL bytes.
#include <string>
#include <vector>

#include "cli/cli_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    const fiscora::cli::ParseResult r = fiscora::cli::parseCommandLine(args);
    if (r.error.empty() && r.options.dataDirectory && r.options.dataDirectory->back() != '/')
        __builtin_trap();
    return 0;
}

#pragma once

#include <cstdio>
#include <cstring>
#include <optional>

// The picture tools take one argument, the output folder. Returns the exit code when the
// tool is to stop: 0 after printing the usage for --help or -h, 2 for anything else that is
// not one folder name (an option is never taken for a folder).
inline std::optional<int> checkOutputFolderArgument(int argc, char** argv, const char* tool) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf("usage: %s OUTPUT_FOLDER\n", tool);
        return 0;
    }
    if (argc != 2 || argv[1][0] == '-' || argv[1][0] == '\0') {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", tool);
        return 2;
    }
    return std::nullopt;
}

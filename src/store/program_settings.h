#pragma once

#include <string>

#include "store/safe_file.h"

namespace fiscora {

// What 设置 keeps: the home folder and the quote file, each empty when not chosen (the
// defaults then apply). The file is UTF-8 text, one "key=value" a line: home=FOLDER,
// quotes=FILE; lines with other keys are kept when the file is rewritten.
struct ProgramSettings {
    std::string homeFolder;
    std::string quoteFile;
    std::string otherLines;  // lines of other keys, each ending with '\n'
    bool operator==(const ProgramSettings&) const = default;
};

// A settings file holds a few paths; anything larger is not one of ours.
inline constexpr std::size_t kMaxSettingsBytes = 64u << 10;

ProgramSettings parseProgramSettings(const std::string& text);
std::string formatProgramSettings(const ProgramSettings& settings);

// The settings at `path`; a missing or unreadable file gives the defaults. Never creates
// anything.
ProgramSettings loadProgramSettings(const std::string& path);

// Writes the settings through the store's temporary-and-rename, creating the file's
// folder (and its parents) when missing.
FileError saveProgramSettings(const std::string& path, const ProgramSettings& settings);

}  // namespace fiscora

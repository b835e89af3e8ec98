#include "store/program_settings.h"

#include <filesystem>
#include <sstream>
#include <system_error>

namespace fiscora {
namespace {

constexpr std::string_view kHomeKey = "home=";
constexpr std::string_view kQuotesKey = "quotes=";

}  // namespace

ProgramSettings parseProgramSettings(const std::string& text) {
    ProgramSettings settings;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with(kHomeKey))
            settings.homeFolder = line.substr(kHomeKey.size());
        else if (line.starts_with(kQuotesKey))
            settings.quoteFile = line.substr(kQuotesKey.size());
        else if (!line.empty())
            settings.otherLines += line + '\n';
    }
    return settings;
}

std::string formatProgramSettings(const ProgramSettings& settings) {
    std::string text;
    if (!settings.homeFolder.empty()) text += std::string(kHomeKey) + settings.homeFolder + '\n';
    if (!settings.quoteFile.empty()) text += std::string(kQuotesKey) + settings.quoteFile + '\n';
    return text + settings.otherLines;
}

ProgramSettings loadProgramSettings(const std::string& path) {
    const ReadResult file = readWholeFile(path, OpenMode::ReadOnly, kMaxSettingsBytes);
    if (file.status != ReadStatus::Ok) return {};
    return parseProgramSettings(std::string(file.bytes.begin(), file.bytes.end()));
}

FileError saveProgramSettings(const std::string& path, const ProgramSettings& settings) {
    std::error_code error;
    std::filesystem::create_directories(folderOf(path), error);
    if (error) return fileErrorOf(error.value());
    const std::string text = formatProgramSettings(settings);
    return replaceFile(path, Bytes(text.begin(), text.end())).error;
}

}  // namespace fiscora

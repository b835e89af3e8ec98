#include "store/home_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "host/module_state.h"
#include "store/program_settings.h"

namespace fiscora {
namespace {

bool given(const std::optional<std::string>& text) {
    return text && !text->empty();
}

std::string withSlash(std::string folder) {
    if (folder.back() != '/') folder += '/';
    return folder;
}

std::optional<std::string> environmentText(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
}

}  // namespace

std::optional<HomeFolder> resolveHomeFolder(const HomeSources& s) {
    const auto chosen = [&](const std::string& folder,
                            HomeOrigin origin) -> std::optional<HomeFolder> {
        if (folder.front() == '/') return HomeFolder{withSlash(folder), origin};
        if (!given(s.workingFolder)) return std::nullopt;
        return HomeFolder{withSlash(withSlash(*s.workingFolder) + folder), origin};
    };
    if (given(s.commandLine)) return chosen(*s.commandLine, HomeOrigin::CommandLine);
    if (given(s.environment)) return chosen(*s.environment, HomeOrigin::Environment);
    if (given(s.workingFolder) && s.workingFolderHoldsLedgers)
        return chosen(*s.workingFolder, HomeOrigin::WorkingFolder);
    if (given(s.settings)) return chosen(*s.settings, HomeOrigin::Settings);
    // XDG: a relative XDG_DATA_HOME is invalid and ignored.
    if (given(s.xdgDataHome) && s.xdgDataHome->front() == '/')
        return HomeFolder{withSlash(*s.xdgDataHome) + "fiscora/", HomeOrigin::DataHome};
    if (given(s.userHome) && s.userHome->front() == '/')
        return HomeFolder{withSlash(*s.userHome) + ".local/share/fiscora/", HomeOrigin::DataHome};
    return std::nullopt;
}

std::optional<std::string> settingsFilePath(const std::optional<std::string>& xdgConfigHome,
                                            const std::optional<std::string>& userHome) {
    if (given(xdgConfigHome) && xdgConfigHome->front() == '/')
        return withSlash(*xdgConfigHome) + "fiscora/settings";
    if (given(userHome) && userHome->front() == '/')
        return withSlash(*userHome) + ".config/fiscora/settings";
    return std::nullopt;
}

std::optional<std::string> settingsFilePathOfProcess() {
    return settingsFilePath(environmentText("XDG_CONFIG_HOME"), environmentText("HOME"));
}

std::string quoteFileIn(const std::string& homeFolder, const std::string& chosen) {
    if (chosen.empty()) return homeFolder + kDefaultQuoteFileName;
    return chosen.front() == '/' ? chosen : homeFolder + chosen;
}

HomeSources homeSourcesOfProcess(const std::optional<std::string>& commandLine) {
    HomeSources s;
    s.commandLine = commandLine;
    s.environment = environmentText("FISCORA_HOME");
    s.workingFolder = currentDirectory();
    if (s.workingFolder) {
        std::error_code error;
        s.workingFolderHoldsLedgers =
            std::filesystem::is_directory(*s.workingFolder + kDataFolderName, error);
    }
    if (const auto settingsFile = settingsFilePathOfProcess()) {
        const ProgramSettings settings = loadProgramSettings(*settingsFile);
        if (!settings.homeFolder.empty()) s.settings = settings.homeFolder;
    }
    s.xdgDataHome = environmentText("XDG_DATA_HOME");
    s.userHome = environmentText("HOME");
    return s;
}

}  // namespace fiscora

#pragma once

#include <optional>
#include <string>

namespace fiscora {

// The home folder holds everything of one user, laid out as a quote terminal's working
// folder: invest/ (the registry, the ledgers and the names learned from statements),
// trdpara.dat, mkthome/ (the daily bar files) and the quote file. Every folder below ends
// with '/'.

// What the home folder is chosen from, strongest first. Empty texts count as not given.
struct HomeSources {
    std::optional<std::string> commandLine;  // --home DIR
    std::optional<std::string> environment;  // FISCORA_HOME
    // The current folder; it is the home folder when it holds invest/ (how the programs
    // worked before there was a home folder), unless one is named above.
    std::optional<std::string> workingFolder;
    bool workingFolderHoldsLedgers = false;
    std::optional<std::string> settings;     // the folder chosen in 设置
    std::optional<std::string> xdgDataHome;  // XDG_DATA_HOME, used when absolute
    std::optional<std::string> userHome;     // HOME
};

enum class HomeOrigin { CommandLine, Environment, WorkingFolder, Settings, DataHome };

struct HomeFolder {
    std::string path;  // absolute, with a trailing '/'
    HomeOrigin origin = HomeOrigin::DataHome;
};

// The home folder the sources give; a relative folder is taken below the working folder.
// Nothing when no source gives one (no HOME and no absolute XDG_DATA_HOME, or a relative
// folder without a working folder).
std::optional<HomeFolder> resolveHomeFolder(const HomeSources& sources);

// The settings file of 设置: $XDG_CONFIG_HOME/fiscora/settings when that is absolute, else
// ~/.config/fiscora/settings. It lives outside the home folder because it names it.
std::optional<std::string> settingsFilePath(const std::optional<std::string>& xdgConfigHome,
                                            const std::optional<std::string>& userHome);

// This process's sources: the environment, the current folder and the settings file.
HomeSources homeSourcesOfProcess(const std::optional<std::string>& commandLine);
std::optional<std::string> settingsFilePathOfProcess();

// The quote file: the one chosen in 设置 (a relative name below the home folder), else
// quotes.tsv in the home folder.
std::string quoteFileIn(const std::string& homeFolder, const std::string& chosen);

// The file names inside the home folder.
inline constexpr const char* kDataFolderName = "invest/";
inline constexpr const char* kDefaultQuoteFileName = "quotes.tsv";
// In the data folder, beside the ledgers whose statements taught the names.
inline constexpr const char* kStockNamesFileName = "names.tsv";

}  // namespace fiscora

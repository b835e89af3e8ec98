// fiscora: the ledger window on the user's home folder, with quotes from its files.
//
//   fiscora [--home DIR]
//
// The home folder is laid out as a quote terminal's working folder, and the program makes
// it the current directory: the library finds trdpara.dat and the daily bar files below the
// current directory, as it does inside a terminal.

#include <fiscora.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "store/home_folder.h"
#include "store/home_quote_source.h"

namespace {

fiscora::HomeQuoteSource* quoteSource = nullptr;

// Answers from the home folder's files; a quote file that stops reading is said once on
// stderr, as the window has no place for it.
long homeQuotes(const char* code, short market, char* nameOut, float* latestOut,
                float* prevCloseOut) {
    static std::string reported;
    const long known = quoteSource->lookup(code, market, nameOut, latestOut, prevCloseOut);
    if (quoteSource->quoteFileError() != reported) {
        reported = quoteSource->quoteFileError();
        if (!reported.empty()) std::fprintf(stderr, "fiscora: %s\n", reported.c_str());
    }
    return known;
}

int usage(std::FILE* to, int code) {
    std::fprintf(to, "usage: fiscora [--home DIR]\n\n"
                     "Opens the ledger window on the home folder: --home DIR, else $FISCORA_HOME,\n"
                     "else the current folder when it holds invest/, else the folder chosen in\n"
                     "设置, else $XDG_DATA_HOME/fiscora (~/.local/share/fiscora).\n");
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<std::string> homeOption;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return usage(stdout, 0);
        if (arg == "--home" && i + 1 < argc && argv[i + 1][0] != '\0')
            homeOption = argv[++i];
        else if (arg.starts_with("--home=") && arg.size() > 7)
            homeOption = arg.substr(7);
        else
            return usage(stderr, 2);
    }
    const auto home = fiscora::resolveHomeFolder(fiscora::homeSourcesOfProcess(homeOption));
    if (!home) {
        std::fprintf(stderr, "fiscora: no home folder: HOME is not set; give --home DIR\n");
        return 1;
    }
    std::error_code error;
    std::filesystem::create_directories(home->path, error);
    if (error || ::chdir(home->path.c_str()) != 0) {
        std::fprintf(stderr, "fiscora: cannot use the home folder %s: %s\n", home->path.c_str(),
                     error ? error.message().c_str() : std::strerror(errno));
        return 1;
    }
    const std::string dataFolder = home->path + fiscora::kDataFolderName;
    if (dataFolder.size() >= FISCORA_DATA_DIR_SIZE) {
        std::fprintf(stderr, "fiscora: the home folder %s is too long (at most %d bytes)\n",
                     home->path.c_str(),
                     FISCORA_DATA_DIR_SIZE - 1 - static_cast<int>(std::strlen("invest/")));
        return 1;
    }

    fiscora::HomeQuoteSource quotes(home->path, fiscora::quoteFileIn(home->path, ""));
    if (const auto settingsFile = fiscora::settingsFilePathOfProcess())
        quotes.followSettings(*settingsFile);
    quoteSource = &quotes;
    RegisterInvestGPInfoHq(&homeQuotes);

    // The library only reads the buffer; it is ours and stays NUL-terminated.
    char buffer[FISCORA_DATA_DIR_SIZE] = {};
    std::memcpy(buffer, dataFolder.c_str(), dataFolder.size());
    SetPrivateInvestDir(buffer);
    PopupInvestDlg();
    RegisterInvestGPInfoHq(nullptr);
    return 0;
}

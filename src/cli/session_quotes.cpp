#include "cli/session_quotes.h"

#include "cli/exit_codes.h"
#include "host/module_state.h"
#include "store/home_folder.h"
#include "store/quote_snapshot_file.h"

namespace fiscora::cli {
namespace {

// The one home source answering the host's callback; a command has one session.
HomeQuoteSource* answering = nullptr;

}  // namespace

SessionQuotes::~SessionQuotes() {
    if (!installed_) return;
    answering = nullptr;
    QuoteSnapshot::uninstall();
}

int SessionQuotes::install(const CliOptions& options, const std::optional<std::string>& homeFolder,
                           std::ostream& err) {
    if (options.quotesFile) {
        std::string error;
        if (!loadQuoteSnapshot(snapshot_, *options.quotesFile, error)) {
            err << "fiscora-cli: " << error << '\n';
            return kExitUsage;
        }
        snapshot_.install();
        installed_ = true;
        return kExitOk;
    }
    if (!homeFolder) return kExitOk;
    home_.emplace(*homeFolder, quoteFileIn(*homeFolder, ""));
    if (const auto settingsFile = settingsFilePathOfProcess()) home_->followSettings(*settingsFile);
    // Read now, so that a quote file that cannot be read is said before any output.
    home_->lookup("000000", 0, nullptr, nullptr, nullptr);
    if (!home_->quoteFileError().empty()) err << "fiscora-cli: " << home_->quoteFileError() << '\n';
    answering = &*home_;
    registerQuoteCallback(&SessionQuotes::homeCallback);
    installed_ = true;
    return kExitOk;
}

long SessionQuotes::homeCallback(const char* code, short market, char* nameOut, float* latestOut,
                                 float* prevCloseOut) {
    if (answering == nullptr || code == nullptr) return 0;
    return answering->lookup(code, market, nameOut, latestOut, prevCloseOut);
}

}  // namespace fiscora::cli

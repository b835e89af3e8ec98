#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "cli/cli_options.h"
#include "host/quote_snapshot.h"
#include "store/home_quote_source.h"

namespace fiscora::cli {

// The quotes a command sees in place of a terminal's: the snapshot of --quotes, else the
// home folder's own source (its quote file, the last close of its daily bar files, the names
// learned from statements), as the desktop program answers them, so that a list shows the
// prices the window shows. Answering for the life of the command.
class SessionQuotes {
public:
    SessionQuotes() = default;
    ~SessionQuotes();
    SessionQuotes(const SessionQuotes&) = delete;
    SessionQuotes& operator=(const SessionQuotes&) = delete;

    // `homeFolder` is the home folder the command works in, or nothing when --data named the
    // data folder. kExitOk, or kExitUsage after the message of a --quotes file that cannot
    // be read. A home quote file that cannot be read is said on `err` and answers nothing.
    int install(const CliOptions& options, const std::optional<std::string>& homeFolder,
                std::ostream& err);

private:
    static long homeCallback(const char* code, short market, char* nameOut, float* latestOut,
                             float* prevCloseOut);

    QuoteSnapshot snapshot_;
    std::optional<HomeQuoteSource> home_;
    bool installed_ = false;
};

}  // namespace fiscora::cli

#pragma once

#include <string>

#include "host/quote_snapshot.h"
#include "store/safe_file.h"
#include "store/stock_names_file.h"

namespace fiscora {

// The quote source of the desktop program, answering the library's quote requests from
// the home folder without a terminal:
//  - the quote file (see QuoteSnapshot for its lines), read again whenever it changed on
//    disk since the last request;
//  - for a stock the file lacks, the close of the last record of its daily bar file under
//    mkthome/ (the record before gives the previous close);
//  - for a name the file lacks, the names learned from imported statements (names.tsv in
//    the data folder).
// A name request for a six-digit code is always answered, with an empty name when no
// source knows it, so that booking works without any quotes; a price request is answered
// only when a source has the stock.
class HomeQuoteSource {
public:
    // `homeFolder` ends with '/'; `quoteFile` may name a missing file.
    HomeQuoteSource(std::string homeFolder, std::string quoteFile);

    void setQuoteFile(std::string quoteFile);
    // From now on the quote file is the one the settings file names (see quoteFileIn), read
    // again whenever the settings file changed on disk.
    void followSettings(std::string settingsFile);
    const std::string& quoteFile() const { return quoteFile_; }
    // Why the quote file was last refused ("quotes.tsv:3: ..."), empty while it reads. A
    // refused file leaves the quotes last read in use.
    const std::string& quoteFileError() const { return quoteFileError_; }

    // Answers as a terminal's quote callback does (see fiscora.h).
    long lookup(const char* code, short market, char* nameOut, float* latestOut,
                float* prevCloseOut);

private:
    void readSettingsIfChanged();
    void applySettings(const FileStamp& stamp);
    void readQuoteFileIfChanged();
    void readNamesIfChanged();
    bool nameOf(const std::string& code, short market, std::string& gbkName);
    bool pricesFromBars(const std::string& code, short market, float& latest, float& prevClose);

    std::string homeFolder_;
    std::string quoteFile_;
    std::string settingsFile_;
    FileStamp settingsStamp_;
    FileStamp quoteStamp_;
    QuoteSnapshot quotes_;
    std::string quoteFileError_;
    FileStamp namesStamp_;
    StockNames names_;
};

}  // namespace fiscora

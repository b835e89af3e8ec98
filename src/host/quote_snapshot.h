#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "host/module_state.h"

namespace fiscora {

// A quote snapshot plays the host's quote service for the command line and the demo host.
// UTF-8 text, one stock a line: code<TAB>market<TAB>name<TAB>latest<TAB>prevClose (or the
// five separated by commas in a line without a tab), market
// 0 深圳 or 1 上海, prices as finite decimal numbers (a latest price of 0 or less means no trade
// yet, as from the host); blank lines and lines starting with '#' are skipped.
class QuoteSnapshot {
public:
    struct Quote {
        std::string gbkName;  // at most 11 bytes, as the host's 12-byte buffer holds it
        float latest = 0;
        float prevClose = 0;
    };

    // Parses snapshot text; `source` names it in error messages ("quotes.txt:3: ..."). A
    // snapshot file is read by store/quote_snapshot_file.h.
    bool parse(const std::string& text, const std::string& source, std::string& error);

    void set(const std::string& code, short market, Quote quote) {
        quotes_[{code, market}] = std::move(quote);
    }
    const Quote* find(const std::string& code, short market) const;
    std::map<std::pair<std::string, short>, Quote>& quotes() { return quotes_; }

    // Makes this snapshot answer the module's quote requests until another is installed
    // or `uninstall` is called. The snapshot must outlive its installation.
    void install();
    static void uninstall();
    // The callback itself, answering from the installed snapshot (0 when none).
    static long callback(const char* code, short market, char* nameOut, float* latestOut,
                         float* prevCloseOut);

private:
    std::map<std::pair<std::string, short>, Quote> quotes_;
};

}  // namespace fiscora

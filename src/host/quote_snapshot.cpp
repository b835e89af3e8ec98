#include "host/quote_snapshot.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "records/gbk_text.h"

namespace fiscora {
namespace {

QuoteSnapshot* installed = nullptr;

// The host's name buffer ends with its NUL.
constexpr std::size_t kNameMaxBytes = kStockNameBufferSize - 1;

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

// A price is written as plain decimal digits with at most one point: no sign, exponent,
// hexadecimal, "nan" or "inf". It must fit a float.
bool parsePrice(const std::string& text, float& out) {
    const bool plain = !text.empty() &&
                       text.find_first_not_of("0123456789.") == std::string::npos &&
                       std::count(text.begin(), text.end(), '.') <= 1 && text != ".";
    if (!plain) return false;
    errno = 0;
    char* end = nullptr;
    out = std::strtof(text.c_str(), &end);
    return errno == 0 && *end == '\0' && std::isfinite(out);
}

}  // namespace

bool QuoteSnapshot::parse(const std::string& text, const std::string& source, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const auto fail = [&](const std::string& why) {
            error = source;
            error += ":" + std::to_string(number) + ": ";
            error += why;
            return false;
        };
        const std::vector<std::string> f = splitTabs(line);
        if (f.size() != 5)
            return fail("expected code<TAB>market<TAB>name<TAB>latest<TAB>prevClose");
        if (f[0].empty() || f[0].size() > 6 ||
            f[0].find_first_not_of("0123456789") != std::string::npos)
            return fail("the code must be up to six digits");
        if (f[1] != "0" && f[1] != "1") return fail("the market must be 0 (深圳) or 1 (上海)");
        auto gbk = utf8ToGbk(f[2]);
        if (!gbk) return fail("the name cannot be written in GBK");
        if (gbk->size() > kNameMaxBytes) return fail("the name is longer than 11 GBK bytes");
        Quote q;
        q.gbkName = *gbk;
        if (!parsePrice(f[3], q.latest) || !parsePrice(f[4], q.prevClose))
            return fail("the prices must be decimal numbers of 0 or more");
        set(f[0], static_cast<short>(f[1][0] - '0'), q);
    }
    return true;
}

const QuoteSnapshot::Quote* QuoteSnapshot::find(const std::string& code, short market) const {
    auto it = quotes_.find({code, market});
    return it == quotes_.end() ? nullptr : &it->second;
}

void QuoteSnapshot::install() {
    installed = this;
    registerQuoteCallback(&QuoteSnapshot::callback);
}

void QuoteSnapshot::uninstall() {
    installed = nullptr;
    registerQuoteCallback(nullptr);
}

long QuoteSnapshot::callback(const char* code, short market, char* nameOut, float* latestOut,
                             float* prevCloseOut) {
    if (installed == nullptr || code == nullptr) return 0;
    const Quote* q = installed->find(code, market);
    if (q == nullptr) return 0;
    if (nameOut != nullptr) {
        // The name, then zeros to the end of the host's buffer.
        const std::size_t length = std::min(q->gbkName.size(), kNameMaxBytes);
        std::fill(std::copy_n(q->gbkName.data(), length, nameOut), nameOut + kStockNameBufferSize,
                  '\0');
    }
    if (latestOut != nullptr) *latestOut = q->latest;
    if (prevCloseOut != nullptr) *prevCloseOut = q->prevClose;
    return 1;
}

}  // namespace fiscora

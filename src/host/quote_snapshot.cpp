#include "host/quote_snapshot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string_view>
#include <vector>

#include "records/gbk_text.h"

namespace fiscora {
namespace {

QuoteSnapshot* installed = nullptr;

// The host's name buffer ends with its NUL.
constexpr std::size_t kNameMaxBytes = kStockNameBufferSize - 1;

// Fields are separated by tabs, or by commas in a line without a tab (a CSV export).
std::vector<std::string> splitFields(const std::string& line) {
    const char separator = line.find('\t') == std::string::npos ? ',' : '\t';
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(line.substr(start, end - start));
        if (end == std::string::npos) return fields;
        start = end + 1;
    }
}

// A price is a finite decimal number: an optional sign, digits with at most one point, and an
// optional decimal exponent. Hexadecimal, "nan", "inf" and values beyond a float are refused.
// A negative or zero latest price is kept: the quote source takes the previous close for it,
// as it does for the host's.
bool parsePrice(const std::string& text, float& out) {
    const std::size_t exponent = text.find_first_of("eE");
    std::string_view mantissa = std::string_view(text).substr(0, exponent);
    if (!mantissa.empty() && (mantissa[0] == '-' || mantissa[0] == '+')) mantissa.remove_prefix(1);
    const bool decimal = !mantissa.empty() && mantissa != "." &&
                         mantissa.find_first_not_of("0123456789.") == std::string_view::npos &&
                         std::count(mantissa.begin(), mantissa.end(), '.') <= 1;
    if (!decimal) return false;
    if (exponent != std::string::npos) {
        std::string_view power = std::string_view(text).substr(exponent + 1);
        if (!power.empty() && (power[0] == '-' || power[0] == '+')) power.remove_prefix(1);
        if (power.empty() || power.find_first_not_of("0123456789") != std::string_view::npos)
            return false;
    }
    char* end = nullptr;
    out = std::strtof(text.c_str(), &end);
    // A value too small for a float reads as (nearly) zero, which is still the number meant.
    return *end == '\0' && std::isfinite(out);
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
        const std::vector<std::string> f = splitFields(line);
        if (f.size() != 5)
            return fail("expected code<TAB>market<TAB>name<TAB>latest<TAB>prevClose "
                        "(or the five separated by commas)");
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
            return fail("the prices must be finite decimal numbers");
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

#include "host/quote_source.h"

#include <cstring>

#include "engine/trade_fee.h"
#include "host/module_state.h"
#include "store/gbk_text.h"
#include "store/safe_file.h"

namespace fiscora {
namespace {

// The host's names are at most 11 bytes and a NUL in a 12-byte buffer.
constexpr std::size_t kHostNameBuffer = 12;

std::string codeArgument(std::string_view code) {
    return std::string(code.substr(0, code.find('\0')));
}

}  // namespace

bool stockName(std::string_view code, std::string_view text, std::string& name) {
    name.clear();
    QuoteCallback cb = quoteCallback();
    if (cb == nullptr) return true;
    const std::string c = codeArgument(code);
    char buffer[kHostNameBuffer] = {};
    if (cb(c.c_str(), static_cast<short>(marketFromText(text)), buffer, nullptr, nullptr) == 0)
        return false;
    buffer[kHostNameBuffer - 1] = '\0';  // a host that filled all 12 bytes still ends here
    name = gbkToUtf8(std::string_view(buffer, ::strnlen(buffer, kHostNameBuffer)));
    return true;
}

bool stockName(std::string_view code, std::int32_t market, std::string& name) {
    return stockName(code, marketText(market), name);
}

double latestPrice(std::string_view code, std::string_view text) {
    QuoteCallback cb = quoteCallback();
    if (cb == nullptr) return 0;
    const std::string c = codeArgument(code);
    float latest = 0;
    float prevClose = 0;
    if (cb(c.c_str(), static_cast<short>(marketFromText(text)), nullptr, &latest, &prevClose) == 0)
        return 0;
    return static_cast<double>(latest) > 0.001 ? latest : prevClose;
}

double latestPriceByMarket(std::string_view code, std::int32_t market) {
    if (market != 0 && market != 1) return 0;
    return latestPrice(code, marketText(market));
}

int marketOfCode(std::string_view code) {
    if (code.size() < 6) return 0;
    if (code == "000696" || code == "000896") return 1;
    switch (code[0]) {
    case '0':
        if (code[1] == '0') return 0;
        if (code[1] == '1' || code[1] == '2') return 1;
        return 2;
    case '1': return 2;
    case '2':
    case '3': return 0;
    default: return 1;
    }
}

int priceDecimals(std::string_view code) {
    if (code.starts_with("201") || code.starts_with("42")) return 3;
    if (code.size() == 6 && code.find_first_not_of("0123456789") == std::string_view::npos) {
        const int n = std::stoi(std::string(code));
        if (n >= 900000 && n <= 998999) return 3;
    }
    return 2;
}

std::string dayBarPath(const std::string& base, std::int32_t market, std::string_view code) {
    const char* m = market == 1 ? "sh" : "sz";
    return base + "mkthome/" + m + "/lday/" + m + std::string(code) + ".day";
}

bool readDayBarFrom(const std::string& base, std::int32_t date, std::int32_t market,
                    std::string_view code, DayBar& out) {
    // A code never names another folder.
    if (code.empty() || code.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
        return false;
    // A bar file holds one record a trading day; far fewer than this bound.
    constexpr std::size_t kMaxBarFileBytes = 64u << 20;
    const ReadResult file =
        readWholeFile(dayBarPath(base, market, code), OpenMode::ReadOnly, kMaxBarFileBytes);
    if (file.status != ReadStatus::Ok || file.bytes.size() % sizeof(DayBar) != 0) return false;
    for (std::size_t at = 0; at < file.bytes.size(); at += sizeof(DayBar)) {
        DayBar bar;
        std::memcpy(&bar, file.bytes.data() + at, sizeof bar);
        if (bar.date == date) {
            out = bar;
            return true;
        }
    }
    return false;
}

bool readDayBar(std::int32_t date, std::int32_t market, std::string_view code, DayBar& out) {
    auto cwd = currentDirectory();
    return cwd && readDayBarFrom(*cwd, date, market, code, out);
}

}  // namespace fiscora

#include "host/quote_source.h"

#include <cstring>

#include "host/module_state.h"
#include "records/gbk_text.h"
#include "records/trading_terms.h"

namespace fiscora {
namespace {

std::string codeArgument(std::string_view code) {
    return std::string(code.substr(0, code.find('\0')));
}

}  // namespace

bool stockName(std::string_view code, std::string_view text, std::string& name) {
    name.clear();
    QuoteCallback cb = quoteCallback();
    if (cb == nullptr) return true;
    const std::string c = codeArgument(code);
    char buffer[kStockNameBufferSize] = {};
    if (cb(c.c_str(), static_cast<short>(marketFromText(text)), buffer, nullptr, nullptr) == 0)
        return false;
    buffer[kStockNameBufferSize - 1] = '\0';  // a host that filled all 12 bytes still ends here
    name = gbkToUtf8(std::string_view(buffer, ::strnlen(buffer, kStockNameBufferSize)));
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

}  // namespace fiscora

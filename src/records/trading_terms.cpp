#include "records/trading_terms.h"

namespace fiscora {

std::int32_t marketFromText(std::string_view text) {
    for (const Market& m : {kShenzhenMarket, kShanghaiMarket})
        if (text == m.text) return m.stored;
    return -1;
}

std::string marketText(std::int32_t market) {
    for (const Market& m : {kShenzhenMarket, kShanghaiMarket})
        if (market == m.stored) return m.text;
    return {};
}

std::vector<std::string> marketTexts() {
    return {kShenzhen, kShanghai};
}

std::vector<std::string> tradeTypeTexts() {
    std::vector<std::string> texts;
    for (const TradeType& t : kTradeTypes) texts.emplace_back(t.text);
    return texts;
}

const TradeType* findTradeType(std::string_view text) {
    for (const TradeType& t : kTradeTypes)
        if (text == t.text) return &t;
    return nullptr;
}

const TradeType* tradeTypeOfUnit(std::string_view unit) {
    for (const TradeType& t : kTradeTypes)
        if (unit == t.unit.text) return &t;
    return nullptr;
}

std::string currencyUnitOfTradeType(std::string_view tradeType) {
    const TradeType* type = findTradeType(tradeType);
    return (type != nullptr ? *type : kShenzhenBShares).unit.text;
}

int priceDecimals(std::string_view code) {
    if (code.starts_with("201") || code.starts_with("42")) return 3;
    if (code.size() == 6 && code.find_first_not_of("0123456789") == std::string_view::npos) {
        const int n = std::stoi(std::string(code));
        if (n >= 900000 && n <= 998999) return 3;
    }
    return 2;
}

}  // namespace fiscora

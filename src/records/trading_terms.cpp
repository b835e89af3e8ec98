#include "records/trading_terms.h"

namespace fiscora {

std::int32_t marketFromText(std::string_view text) {
    if (text == kShenzhen) return 0;
    if (text == kShanghai) return 1;
    return -1;
}

std::string marketText(std::int32_t market) {
    if (market == 0) return kShenzhen;
    if (market == 1) return kShanghai;
    return {};
}

std::string currencyUnitOfTradeType(std::string_view tradeType) {
    if (tradeType == "深沪A股") return "元";
    if (tradeType == "上证B股") return "美元";
    return "港元";
}

}  // namespace fiscora

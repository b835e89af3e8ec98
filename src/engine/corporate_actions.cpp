#include "engine/corporate_actions.h"

#include <limits>

#include "engine/trade_fee.h"

namespace fiscora {

std::optional<std::int64_t> schemeShares(std::int64_t held, std::uint32_t per,
                                         std::uint32_t grant) {
    if (per == 0 || grant == 0) return std::nullopt;
    // |held| <= 2^63 and grant < 2^32, so the product stays within 2^95.
    __extension__ using Wide = __int128;
    const Wide shares = static_cast<Wide>(held) * grant / per;
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(shares > kMax ? kMax : shares < kMin ? kMin : shares);
}

bool fitsRecordQuantity(std::int64_t shares) {
    return shares >= 0 && shares <= std::numeric_limits<std::int32_t>::max();
}

double dividendDue(std::int64_t held, double rate) {
    return static_cast<double>(held) * rate;
}

PurchaseCost purchaseCost(double price, std::uint32_t quantity, const TradeParam& row) {
    PurchaseCost cost;
    cost.fee = tradeFee(price, quantity, row);
    cost.expense = static_cast<double>(quantity) * price + cost.fee;
    return cost;
}

}  // namespace fiscora

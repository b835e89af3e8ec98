#pragma once

#include <cstdint>
#include <optional>

#include "records/trade_param.h"

namespace fiscora {

// The figures of the dividend, bonus-share and rights-issue dialogs, as plain arithmetic.

// The shares a scheme of `grant` for every `per` held gives on `held` shares: held x grant
// / per, the division truncating toward zero. Worked in 128 bits, so a large holding never
// wraps round; a result beyond 64 bits is held at the nearest 64-bit limit (far beyond
// what a record takes). Nothing when `per` or `grant` is 0 (the scheme is not filled in).
std::optional<std::int64_t> schemeShares(std::int64_t held, std::uint32_t per, std::uint32_t grant);

// Whether a share count fits a record's quantity field (int32, never negative).
bool fitsRecordQuantity(std::int64_t shares);

// The cash a dividend of `rate` per share pays on `held` shares, at full precision.
double dividendDue(std::int64_t held, double rate);

// What a purchase or a subscription of `quantity` shares at `price` costs under a fee row:
// the fee, and the expense = quantity x price + fee. Neither is rounded.
struct PurchaseCost {
    double fee = 0;
    double expense = 0;
};
PurchaseCost purchaseCost(double price, std::uint32_t quantity, const TradeParam& row);

}  // namespace fiscora

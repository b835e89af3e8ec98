#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace fiscora::ui {

// The checks the dividend, bonus-share and rights-issue dialogs make when confirmed, on
// the values read back from their boxes. Each returns the message of the first check that
// fails, in the dialog's order, or nothing when the entry may be booked.

// 股票分红: a dividend per share above zero, on a holding a record can hold (the record
// keeps the shares the dividend was paid on): from 0 to 2,147,483,647 shares. `held` is the
// 持股数量 read back; any other count comes only from a file written elsewhere.
std::optional<std::string> dividendRefusal(double rate, std::int64_t held);

// 送股: a whole scheme (每 N 股送 M 股, both above zero), then a bonus count above zero
// and one a record can hold. The count is held x M / N, worked in 64 bits; `held` is
// the 持股数量 read back (below zero only in a file written elsewhere).
std::optional<std::string> bonusSharesRefusal(std::int64_t held, std::int32_t per,
                                              std::int32_t grant);

// 配股 as read back: the scheme, the quantity against the maximum, the price, the quantity
// above zero, and the expense (fees included) against the cash.
struct RightsSubscription {
    std::uint32_t per = 0;
    std::uint32_t grant = 0;
    std::uint32_t quantity = 0;
    std::int64_t maximum = 0;
    double price = 0;
    double expense = 0;
    double cash = 0;
};
// The box a refusal sends the user to: the scheme's first box, the quantity or the price.
enum class RightsBox { Scheme, Quantity, Price };
std::optional<std::string> rightsIssueRefusal(const RightsSubscription& entry,
                                              RightsBox* toFix = nullptr);

}  // namespace fiscora::ui

#include "ui/trade/cash_limit.h"

#include <cmath>
#include <limits>

#include "engine/number_format.h"
#include "ui/common/number_text.h"

namespace fiscora::ui {

bool cashCovers(double cash, double amount) {
    if (amount <= cash) return true;
    // The balance as its box shows it, three decimals: all of it may go.
    return amount == parseDouble(formatAmount(cash)).value_or(cash);
}

int affordableQuantity(double cash, double price) {
    if (!(price > 0)) return 0;
    constexpr double kMost = std::numeric_limits<int>::max();
    const double estimate = std::trunc(cash / price);
    if (!(estimate < kMost)) return std::numeric_limits<int>::max();
    if (!(estimate > 0)) return cashCovers(cash, price) ? 1 : 0;
    // cash / price is rounded: the next count may still be covered, this one may not be.
    auto shares = static_cast<int>(estimate);
    if (shares < std::numeric_limits<int>::max() && cashCovers(cash, (shares + 1.0) * price))
        return shares + 1;
    return cashCovers(cash, shares * price) ? shares : shares - 1;
}

}  // namespace fiscora::ui

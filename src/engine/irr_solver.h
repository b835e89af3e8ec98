#pragma once

#include <optional>
#include <vector>

namespace fiscora {

// Money moved at a point in time: `years` before the end of the period (0 at the end), and
// the amount, positive when it goes into the investment, negative when it comes out.
struct TimedAmount {
    double years = 0;
    double amount = 0;
};

// The annual rate r at which every amount, grown at (1 + r) a year up to the end of the
// period, adds up to zero: the internal rate of return. The root is bracketed by stepping
// outwards from r = 0 (the bracket nearest to 0 wins when there are several) between
// r = -99.9999% and r = 10^6 - 1, then refined by Brent's method to a relative 1e-12.
// None when there is no sign change in that range: all amounts of one sign, all zero, or
// no amounts at all.
std::optional<double> internalRateOfReturn(const std::vector<TimedAmount>& amounts);

}  // namespace fiscora

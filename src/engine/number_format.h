#pragma once

#include <cstdint>
#include <string>

namespace fiscora {

// How the program shows numbers: amounts and prices "%.3lf", percentages "%.3lf%%",
// quantities "%ld".
std::string formatAmount(double value);
// "%.Nf" for N = `decimals`.
std::string formatFixed(double value, int decimals);
std::string formatPercent(double percentage);
std::string formatQuantity(std::int64_t quantity);

}  // namespace fiscora

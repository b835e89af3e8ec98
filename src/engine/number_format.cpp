#include "engine/number_format.h"

#include <cstdio>

namespace fiscora {

std::string formatAmount(double value) {
    return formatFixed(value, 3);
}

std::string formatFixed(double value, int decimals) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string formatPercent(double percentage) {
    return formatAmount(percentage) + "%";
}

std::string formatQuantity(std::int64_t quantity) {
    return std::to_string(quantity);
}

}  // namespace fiscora

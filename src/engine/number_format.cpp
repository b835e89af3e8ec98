#include "engine/number_format.h"

#include <cstdio>

namespace fiscora {

std::string formatAmount(double value) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    return buffer;
}

std::string formatPercent(double percentage) {
    return formatAmount(percentage) + "%";
}

std::string formatQuantity(std::int64_t quantity) {
    return std::to_string(quantity);
}

}  // namespace fiscora

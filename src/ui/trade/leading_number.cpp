#include "ui/trade/leading_number.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace fiscora::ui {
namespace {

std::string_view withoutLeadingBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    return text;
}

}  // namespace

std::uint32_t leadingUnsigned(std::string_view text) {
    text = withoutLeadingBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > kMax) return static_cast<std::uint32_t>(kMax);
    }
    return static_cast<std::uint32_t>(value);
}

double leadingNumber(std::string_view text) {
    text = withoutLeadingBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
        // "+-1" and "--1" have no number at their start.
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) return 0;
    }
    double value = 0;
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value)) return 0;
    return negative ? -value : value;
}

}  // namespace fiscora::ui

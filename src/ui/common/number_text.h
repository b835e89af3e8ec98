#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace fiscora::ui {

// How a number box's text reads back: blanks around the number are allowed, nothing
// else is. An empty box does not parse. Independent of the process locale.

std::optional<std::int32_t> parseInt32(std::string_view text);
std::optional<std::int64_t> parseInt64(std::string_view text);
// No sign allowed but '+'.
std::optional<std::uint32_t> parseUInt32(std::string_view text);
// True when the text is a count of any size: digits, an optional '+', blanks around.
bool isWholeNumber(std::string_view text);
// Decimal or exponent notation; infinities and NaN are refused.
std::optional<double> parseDouble(std::string_view text);

}  // namespace fiscora::ui

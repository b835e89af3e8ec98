#include "ui/common/number_text.h"

#include <charconv>
#include <cmath>

namespace fiscora::ui {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The whole of `text` as a T, or nothing.
template <typename T, typename... Format>
std::optional<T> parseWhole(std::string_view text, Format... format) {
    text = trimmed(text);
    // from_chars takes '-' but not '+'; "+-1" must still fail.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    T value{};
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, format...);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::int32_t> parseInt32(std::string_view text) {
    return parseWhole<std::int32_t>(text);
}

std::optional<std::int64_t> parseInt64(std::string_view text) {
    return parseWhole<std::int64_t>(text);
}

std::optional<std::uint32_t> parseUInt32(std::string_view text) {
    return parseWhole<std::uint32_t>(text);
}

bool isWholeNumber(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::optional<double> parseDouble(std::string_view text) {
    auto value = parseWhole<double>(text, std::chars_format::general);
    if (value && !std::isfinite(*value)) return std::nullopt;
    return value;
}

}  // namespace fiscora::ui

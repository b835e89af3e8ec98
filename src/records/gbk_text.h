#pragma once

#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace fiscora {

// Text inside the data files is GBK; everywhere else the program speaks UTF-8.

// GBK bytes as UTF-8. Bytes that are not valid GBK come out as U+FFFD, so damaged
// files still display.
std::string gbkToUtf8(std::string_view gbk);
// UTF-8 as GBK bytes, or nothing when some character has no GBK form (or the input is
// not valid UTF-8).
std::optional<std::string> utf8ToGbk(std::string_view utf8);

// Length in GBK bytes of UTF-8 text, or nothing when GBK cannot hold it.
std::optional<std::size_t> gbkLength(std::string_view utf8);

enum class TextFit { Ok, TooLong, NotGbk };

// Why a text was refused, for the user.
std::string textFitMessage(TextFit fit, std::string_view label, std::size_t maxBytes);

// The NUL-terminated content of a fixed-width field, never reading past it.
template <std::size_t N> std::string_view fieldBytes(const char (&field)[N]) {
    return {field, ::strnlen(field, N)};
}

template <std::size_t N> std::string fieldText(const char (&field)[N]) {
    return gbkToUtf8(fieldBytes(field));
}

// Stores GBK bytes into a fixed-width field: the text, its NUL, zeros after it.
template <std::size_t N> void storeBytes(char (&field)[N], std::string_view bytes) {
    std::memset(field, 0, N);
    std::memcpy(field, bytes.data(), bytes.size() < N ? bytes.size() : N - 1);
}

// Stores UTF-8 text as GBK when it fits in `maxBytes` (at most N - 1); otherwise the
// field is left as it was.
template <std::size_t N>
TextFit storeText(char (&field)[N], std::string_view utf8, std::size_t maxBytes = N - 1) {
    auto gbk = utf8ToGbk(utf8);
    if (!gbk) return TextFit::NotGbk;
    if (gbk->size() > maxBytes || gbk->size() > N - 1) return TextFit::TooLong;
    storeBytes(field, *gbk);
    return TextFit::Ok;
}

}  // namespace fiscora

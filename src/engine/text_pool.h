#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace fiscora {

// Texts kept once each and named by a number: a statement's lines repeat a few business
// texts, names and reasons thousands of times.
class TextPool {
public:
    using Id = std::uint32_t;
    static constexpr Id kEmpty = 0;

    TextPool();
    TextPool(const TextPool& other);
    TextPool(TextPool&&) noexcept = default;
    TextPool& operator=(const TextPool& other);
    TextPool& operator=(TextPool&&) noexcept = default;

    Id add(std::string_view text);
    const std::string& text(Id id) const { return texts_[id]; }

private:
    std::deque<std::string> texts_;  // a deque: the index's views stay valid as it grows
    std::unordered_map<std::string_view, Id> index_;
};

}  // namespace fiscora

#pragma once

#include <cstdint>
#include <string_view>

namespace fiscora::ui {

// The figures a dialog shows while the user types are computed from the number at the
// start of a box's text, ignoring whatever follows it ("12abc" counts as 12, "abc" as 0).
// Read-back at confirmation is stricter (number_text.h). Independent of the locale.

// Leading blanks, an optional '+', then digits; saturates at the largest unsigned value.
// A text starting with anything else, '-' included, counts as 0.
std::uint32_t leadingUnsigned(std::string_view text);
// Leading blanks, then the longest decimal or exponent number; 0 when there is none.
// Infinities and NaN count as 0.
double leadingNumber(std::string_view text);

}  // namespace fiscora::ui

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fiscora {

// The texts records and accounts store for markets and trade types.

inline constexpr const char* kShenzhen = "深圳";
inline constexpr const char* kShanghai = "上海";

// 0 for "深圳", 1 for "上海", -1 for any other text.
std::int32_t marketFromText(std::string_view marketText);
// "深圳" for 0, "上海" for 1, empty otherwise.
std::string marketText(std::int32_t market);

// The unit amounts of a trade type are shown in: "元", "美元" or "港元".
std::string currencyUnitOfTradeType(std::string_view tradeType);

}  // namespace fiscora

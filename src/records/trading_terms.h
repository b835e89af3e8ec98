#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fiscora {

// The texts records and accounts store for markets, trade types and currency units, each
// written here once.

// A market: the number records, fee rows and the host's calls store, and its text.
struct Market {
    std::int32_t stored;
    const char* text;
};
inline constexpr Market kShenzhenMarket{0, "深圳"};
inline constexpr Market kShanghaiMarket{1, "上海"};
inline constexpr const char* kShenzhen = kShenzhenMarket.text;
inline constexpr const char* kShanghai = kShanghaiMarket.text;

// 0 for "深圳", 1 for "上海", -1 for any other text.
std::int32_t marketFromText(std::string_view marketText);
// "深圳" for 0, "上海" for 1, empty otherwise.
std::string marketText(std::int32_t market);

// A currency unit: the text amounts are shown with, and the name the ledger view gives it.
struct CurrencyUnit {
    const char* text;
    const char* name;
};

// A trade type, an account's kind: its stored text, the unit its amounts are in and the
// market its stocks are fixed to (-1 when either market is open).
struct TradeType {
    const char* text;
    CurrencyUnit unit;
    std::int32_t fixedMarket;
};
inline constexpr TradeType kAShares{"深沪A股", {"元", "人民币元"}, -1};
inline constexpr TradeType kShenzhenBShares{"深证B股", {"港元", "港元"}, kShenzhenMarket.stored};
inline constexpr TradeType kShanghaiBShares{"上证B股", {"美元", "美元"}, kShanghaiMarket.stored};
// In the order the new-account dialog lists them.
inline constexpr std::array<TradeType, 3> kTradeTypes{kAShares, kShenzhenBShares, kShanghaiBShares};

// The drop-down entries: the markets "深圳", "上海"; the trade types in their order.
std::vector<std::string> marketTexts();
std::vector<std::string> tradeTypeTexts();

// The trade type stored as `text`, or nullptr.
const TradeType* findTradeType(std::string_view text);
// The trade type whose currency unit is `unit`, or nullptr.
const TradeType* tradeTypeOfUnit(std::string_view unit);

// Decimals of a stock's prices (the host's daily bars store them as integers in these
// units): 3 for codes 900000-998999 and those beginning "201" or "42", 2 for every other.
int priceDecimals(std::string_view code);

// The unit amounts of a trade type are shown in: "元", "美元", or "港元" for any text other
// than 深沪A股 and 上证B股.
std::string currencyUnitOfTradeType(std::string_view tradeType);

}  // namespace fiscora

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fiscora {

// Names and prices come from the host's quote callback. The callback is asked with
// either the name buffer alone or the two price pointers alone, and answers nonzero when
// it knows the stock. Every lookup fails quietly: empty name, price 0, false.

// The stock's short name (UTF-8). Without a callback the name is empty and every code
// counts as valid (true).
bool stockName(std::string_view code, std::string_view marketText, std::string& name);
bool stockName(std::string_view code, std::int32_t market, std::string& name);

// The latest price, or the previous close when the latest is not above 0.001; 0 when
// the host does not know the stock or no callback is registered. The host's float is
// taken as the decimal price it stands for: rounded to priceDecimals(code) places.
double latestPrice(std::string_view code, std::string_view marketText);
// Market 0 or 1; any other number gives 0 without asking the host.
double latestPriceByMarket(std::string_view code, std::int32_t market);

// The market a code belongs to, from its digits: 0 Shenzhen, 1 Shanghai, 2 either.
int marketOfCode(std::string_view code);

#pragma pack(push, 1)
// One 32-byte record of the host's daily bar file.
struct DayBar {
    std::int32_t date;        // YYYYMMDD
    std::uint32_t prices[4];  // in units of 10^-priceDecimals(code)
    unsigned char unused[12];
};
#pragma pack(pop)
static_assert(sizeof(DayBar) == 32);

// Decimals of the integer bar prices: 3 for codes 900000-998999 and those beginning
// "201" or "42", 2 for every other code.
int priceDecimals(std::string_view code);

// The bar file of a stock under `baseDirectory` (which ends with '/'):
// mkthome/sh/lday/sh<code>.day for Shanghai (market 1), mkthome/sz/lday/sz<code>.day
// otherwise.
std::string dayBarPath(const std::string& baseDirectory, std::int32_t market,
                       std::string_view code);

// The first record dated `date` in the stock's bar file below the current directory.
// False when the file is missing, its length is not a multiple of 32, or no record
// matches.
bool readDayBar(std::int32_t date, std::int32_t market, std::string_view code, DayBar& out);
bool readDayBarFrom(const std::string& baseDirectory, std::int32_t date, std::int32_t market,
                    std::string_view code, DayBar& out);

}  // namespace fiscora

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fiscora {

// The host's daily bars, one file per stock below the terminal's folder.

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

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
// the host does not know the stock or no callback is registered.
double latestPrice(std::string_view code, std::string_view marketText);
// Market 0 or 1; any other number gives 0 without asking the host.
double latestPriceByMarket(std::string_view code, std::int32_t market);

// The market a code belongs to, from its digits: 0 Shenzhen, 1 Shanghai, 2 either.
int marketOfCode(std::string_view code);

}  // namespace fiscora

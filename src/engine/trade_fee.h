#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/trade_param.h"
#include "records/trading_terms.h"

namespace fiscora {

// The row of the table that applies to the stock: the longest codePrefix that equals the
// start of the code, the first such row in table order. Returns false (and leaves `out`
// alone) when none applies or the market text is neither "深圳" nor "上海".
bool findTradeParam(const TradeParamTable& table, std::string_view marketText,
                    std::string_view code, TradeParam& out);
// The applicable row, or the module's default trade parameters.
TradeParam tradeParamFor(const TradeParamTable& table, std::string_view marketText,
                         std::string_view code);
TradeParam tradeParamFor(const TradeParamTable& table, std::int32_t market, std::string_view code);

// The total fee of one trade: commission (with its minimum) + stamp duty + transfer fee
// per whole thousand shares (with its minimum) + order fee. Never rounded.
double tradeFee(double price, std::uint32_t quantity, const TradeParam& row);

}  // namespace fiscora

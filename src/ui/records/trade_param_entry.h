#pragma once

#include <optional>
#include <string>

#include "host/messages.h"
#include "records/trade_param.h"

namespace fiscora::ui {

// The fee row dialog's boxes, in tab order.
enum class TradeParamBox {
    Market,
    CodePrefix,
    CategoryName,
    Commission,
    MinCommission,
    StampDuty,
    TransferFee,
    MinTransferFee,
    OrderFee,
};

// What the boxes show, as texts; the two rates as percentages.
struct TradeParamEntry {
    std::string market;      // "上海" or "深圳"
    std::string codePrefix;  // at most six digits: the box takes nothing else
    std::string categoryName;
    std::string commission;
    std::string minCommission;
    std::string stampDuty;
    std::string transferFee;
    std::string minTransferFee;
    std::string orderFee;
};

// The framework's prompt for a percentage outside 0 to 100.
inline constexpr const char* kPercentRangePrompt = "请输入一个在 0 和 100 之间的数字。";
// The name's limit in GBK bytes (its field holds 20 with the NUL).
inline constexpr std::size_t kCategoryNameBytes = sizeof(TradeParam::categoryName) - 1;
inline constexpr std::size_t kCodePrefixChars = sizeof(TradeParam::codePrefix) - 1;

// The boxes of a new row: "上海", empty texts, every number 0.
TradeParamEntry newTradeParamEntry();
// The boxes of an existing row: each number with three decimals, or with as many more as
// it needs to read back as it is, so confirming an unchanged row keeps its values (a row
// entered here keeps them to the bit).
TradeParamEntry tradeParamEntryOf(const TradeParam& row);

// The boxes read back and checked in the dialog's order: each number (the framework's
// prompts, the rates within 0 to 100), then 委托费, 最低手续费, 最低过户费, 每千股过户费 not
// below zero, the name and then the prefix not empty, the name storable as GBK. The first
// refusal is shown through `messages` and names the box to correct.
struct TradeParamReading {
    std::optional<TradeParam> row;  // every check passed: rates as fractions
    TradeParamBox refusedBox = TradeParamBox::Market;
};
TradeParamReading readTradeParamEntry(const TradeParamEntry& entry, Messages& messages);

}  // namespace fiscora::ui

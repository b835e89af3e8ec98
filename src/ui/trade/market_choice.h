#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/common/dialog_fields.h"

namespace fiscora::ui {

// The 市场类型 drop-down of the stock dialogs: "深圳" then "上海".

// Names the market drop-down and gives it its two entries.
void declareMarket(ChoiceField& market, std::string label);

// Sets the choice the account's currency unit implies: a Shanghai B
// share account ("美元") is fixed to 上海, a Shenzhen B share account ("港元") to 深圳,
// and an A share account ("元") starts at 深圳 with the box left free.
void presetMarket(ChoiceField& market, std::string_view currencyUnit);

// The market the code's digits imply overrides any earlier choice: the box then shows it
// and is disabled. A code that may belong to either market frees the box and keeps its
// choice. True when the market was forced.
bool applyMarketOfCode(ChoiceField& market, std::string_view code);

// The dialogs' market output: 0 for "深圳", 1 for anything else.
std::int32_t chosenMarket(const ChoiceField& market);

}  // namespace fiscora::ui

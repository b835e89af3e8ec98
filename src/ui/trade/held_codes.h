#pragma once

#include <cstdint>
#include <string>

#include "engine/capital_series.h"
#include "engine/holdings.h"
#include "ui/common/dialog_fields.h"

namespace fiscora::ui {

// The 股票代码 drop-down of the dialogs that act on a held stock (sale, dividend, bonus
// shares, rights issue).

// Fills the list with the codes of the holdings, each once (a code held in both markets is
// listed once), sorted, and selects the first; nothing is selected when there are none.
void listHeldCodes(ChoiceField& code, const Holdings& holdings);

// Selects the code of `stock` when the list has it, and the stock's market while the market
// box is free (the account's trade type fixes no market); the dialog's OnCodeSelected then
// forces the market a code implies. A stock the list lacks leaves both as they were.
void selectHeldStock(ChoiceField& code, ChoiceField& market, const StockId& stock);

// The holding of (market, code as the list shows it), or null.
const Holding* findHolding(const Holdings& holdings, std::int32_t market, const std::string& code);

}  // namespace fiscora::ui

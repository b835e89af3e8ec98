#pragma once

#include <cstddef>

#include "ui/common/dialog_fields.h"

namespace fiscora::ui {

// The stock code box of the dialogs that take a code, with the name label right of it.

// A code is six characters; the box takes digits only.
inline constexpr std::size_t kStockCodeChars = 6;
inline constexpr const char* kStockCodeLengthMessage = "必须输入六位股票代码";

// Makes `code` a code box: six digits at most.
void makeStockCodeBox(TextField& code);

// Asks the host for the name of the code in the chosen market: the label shows it, or
// "非法代码" when the host does not know the stock. True when it knows it.
bool showStockName(const TextField& code, const ChoiceField& market, LabelField& nameLabel);

}  // namespace fiscora::ui

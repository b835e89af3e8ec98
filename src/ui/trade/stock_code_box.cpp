#include "ui/trade/stock_code_box.h"

#include <string>

#include "host/quote_source.h"

namespace fiscora::ui {

void makeStockCodeBox(TextField& code) {
    code.maxChars = kStockCodeChars;
    code.digitsOnly = true;
}

bool showStockName(const TextField& code, const ChoiceField& market, LabelField& nameLabel) {
    std::string name;
    const bool known = fiscora::stockName(code.text, market.selectedText(), name);
    nameLabel.text = known ? name : "非法代码";
    return known;
}

}  // namespace fiscora::ui

#include "ui/trade/held_codes.h"

#include <algorithm>

#include "records/gbk_text.h"
#include "records/trading_terms.h"

namespace fiscora::ui {

void listHeldCodes(ChoiceField& code, const Holdings& holdings) {
    code.items.clear();
    for (const Holding& h : holdings) {
        std::string text = gbkToUtf8(h.stockCode);
        if (code.indexOf(text) < 0) code.items.push_back(std::move(text));
    }
    std::sort(code.items.begin(), code.items.end());
    code.selected = code.items.empty() ? -1 : 0;
}

void selectHeldStock(ChoiceField& code, ChoiceField& market, const StockId& stock) {
    const int index = code.indexOf(gbkToUtf8(stock.code));
    if (index < 0) return;
    code.selected = index;
    if (market.enabled) {
        const int chosen = market.indexOf(marketText(stock.market));
        if (chosen >= 0) market.selected = chosen;
    }
}

const Holding* findHolding(const Holdings& holdings, std::int32_t market, const std::string& code) {
    const auto gbkCode = utf8ToGbk(code);
    if (!gbkCode) return nullptr;
    for (const Holding& h : holdings) {
        if (h.market == market && h.stockCode == *gbkCode) return &h;
    }
    return nullptr;
}

}  // namespace fiscora::ui

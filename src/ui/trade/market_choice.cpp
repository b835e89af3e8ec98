#include "ui/trade/market_choice.h"

#include <string>

#include "engine/trade_fee.h"
#include "host/quote_source.h"

namespace fiscora::ui {
namespace {

void fixTo(ChoiceField& market, int entry) {
    market.selected = entry;
    market.enabled = false;
}

}  // namespace

void declareMarket(ChoiceField& market, std::string label) {
    market.name = "market";
    market.label = std::move(label);
    market.items = marketTexts();
}

void presetMarket(ChoiceField& market, std::string_view currencyUnit) {
    const TradeType* type = tradeTypeOfUnit(currencyUnit);
    if (type != nullptr && type->fixedMarket >= 0) {
        fixTo(market, type->fixedMarket);
    } else {
        market.selected = 0;
        market.enabled = true;
    }
}

bool applyMarketOfCode(ChoiceField& market, std::string_view code) {
    const int implied = marketOfCode(code);
    if (implied == 0 || implied == 1) {
        fixTo(market, implied);
        return true;
    }
    market.enabled = true;
    return false;
}

std::int32_t chosenMarket(const ChoiceField& market) {
    return market.selectedText() == kShenzhen ? 0 : 1;
}

}  // namespace fiscora::ui

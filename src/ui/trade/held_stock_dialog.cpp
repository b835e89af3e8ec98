#include "ui/trade/held_stock_dialog.h"

#include "engine/number_format.h"
#include "host/quote_source.h"
#include "ui/trade/held_codes.h"
#include "ui/trade/market_choice.h"

namespace fiscora::ui {

HeldStockDialog::HeldStockDialog(Messages& messages, std::string action, std::string accountName,
                                 std::string currencyUnit, const Ledger& ledger)
    : TransactionDialog(messages, std::move(action), std::move(accountName),
                        std::move(currencyUnit), Keys::StockNavigation),
      ledger_(ledger) {
    declareMarket(market, "交易市场");
    declare(code, "code", "股票代码");
    code.required = true;
    declare(nameLabel, "name");
    makeFigureBox(held, "held", "持股数量");
    onChange(market, [this] { OnCodeSelected(); });
    onChange(code, [this] { OnCodeSelected(); });
}

std::int32_t HeldStockDialog::chosenMarketCode() const {
    return chosenMarket(market);
}

void HeldStockDialog::openHeldStock() {
    showHeld(0);
    remark.text.clear();
    nameLabel.text = "股票名称";
    openTransaction();
    holdings_ = computeHoldings(ledger_, 0, -1);
    listHeldCodes(code, holdings_);
    presetMarket(market, currencyUnit());
    if (openingStock()) selectHeldStock(code, market, *openingStock());
}

void HeldStockDialog::showHeld(std::int64_t shares) {
    heldShares_ = shares;
    held.text = formatQuantity(shares);
}

const Holding* HeldStockDialog::selectedHolding() const {
    return findHolding(holdings_, chosenMarket(market), code.selectedText());
}

const Holding* HeldStockDialog::selectStock() {
    if (applyMarketOfCode(market, code.selectedText())) focusOn(code);
    // No position in this market: 0 shares, never the figure of the stock shown before.
    const Holding* h = selectedHolding();
    showHeld(h != nullptr ? h->heldQty() : 0);
    return h;
}

void HeldStockDialog::showName() {
    std::string name;
    fiscora::stockName(code.selectedText(), market.selectedText(), name);
    nameLabel.text = name;
}

}  // namespace fiscora::ui

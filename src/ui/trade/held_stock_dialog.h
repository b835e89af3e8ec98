#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/holdings.h"
#include "ui/trade/transaction_dialog.h"

namespace fiscora::ui {

// What the dividend, bonus-share and rights-issue dialogs share: a stock the account holds,
// chosen with the market list and then the list of held codes, its name and the shares
// held. Picking a code or a market runs the dialog's OnCodeSelected.
class HeldStockDialog : public TransactionDialog {
public:
    ChoiceField market;
    ChoiceField code;
    LabelField nameLabel;
    TextField held;

    // The position the dialog acts on: the selected code's text and market (0 深圳, 1 上海).
    std::string chosenCode() const { return code.selectedText(); }
    std::int32_t chosenMarketCode() const;

protected:
    HeldStockDialog(Messages& messages, std::string action, std::string accountName,
                    std::string currencyUnit, const Ledger& ledger);

    virtual void OnCodeSelected() = 0;

    // Opening: the zeroed boxes, the picker, the holdings recomputed over the whole ledger
    // and their codes listed, the market preset from the trade type; the opening stock
    // selected when it is held, otherwise the first code.
    void openHeldStock();
    // The part of OnCodeSelected every such dialog shares: the market the code implies is
    // forced and the focus moves on to the code list; the held quantity of the position is
    // shown, 0 when the account holds the code only in the other market. Returns the
    // position, or null.
    const Holding* selectStock();
    // The name label: the host's name of the selected stock, empty when it has none.
    void showName();
    const Holding* selectedHolding() const;
    const Holdings& holdings() const { return holdings_; }
    // The shares held as last shown (the figure the dialog computes with).
    std::int64_t heldShares() const { return heldShares_; }
    void showHeld(std::int64_t shares);
    // The 持股数量 box read back (readShareTotal): any holding the ledger has.
    std::optional<std::int64_t> readHeld() { return readShareTotal(held); }

private:
    const Ledger& ledger_;
    Holdings holdings_;
    std::int64_t heldShares_ = 0;
};

}  // namespace fiscora::ui

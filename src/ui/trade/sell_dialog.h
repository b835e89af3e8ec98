#pragma once

#include <cstdint>
#include <string>

#include "engine/holdings.h"
#include "engine/trade_fee.h"
#include "engine/workspace.h"
#include "ui/trade/transaction_dialog.h"

namespace fiscora::ui {

// 卖出股票: one sale of a stock the account holds. It shows the shares held, the shares
// that may be sold on the trade date (those from records dated before it), the fee, the
// net proceeds, the break-even price and the profit against the average price paid.
class SellDialog : public TransactionDialog {
public:
    // The dialog works from what the workspace keeps of the account's ledger: its positions
    // over all dates, its cash, the stock's sellable shares (asked again whenever the code
    // or the trade date changes) and the fee table.
    SellDialog(Messages& messages, std::string accountName, std::string currencyUnit,
               const Workspace& workspace);

    void OnInitDialog() override;
    // With no holdings it closes at once and nothing is sold (see sold()). Otherwise, in
    // order: every box reads back; a quantity; a price; no more than may be sold today.
    bool OnConfirm() override;
    std::optional<LedgerRecord> confirmedRecord() const override;

    // Fields in tab order, then the read-only ones.
    ChoiceField code;
    ChoiceField market;
    TextField sellQuantity;
    TextField price;
    TextField floatingProfit;
    LabelField nameLabel;
    TextField sellable;
    TextField held;
    TextField commission;
    TextField breakEvenPrice;
    TextField totalIncome;

    // The account's positions, and the selected stock's position as it may be sold on the
    // trade date (empty when none of its shares may be).
    const Holdings& holdings() const { return holdings_; }
    const Holdings& sellableHoldings() const { return sellableHoldings_; }

private:
    // A code (or a market) was picked.
    void OnCodeSelected();
    void OnDateChanged();
    // The sell quantity or the price box changed.
    void UpdateFigures();
    // The position of the selected code in the current market, in `list`, or null.
    const Holding* selectedIn(const Holdings& list) const;
    void showHolding();
    void showSellable();

    const Workspace& workspace_;
    const TradeParamTable& tradeParams_;
    Holdings holdings_;
    Holdings sellableHoldings_;
    TradeParam tradeParam_{};
    bool sold_ = false;
    std::string chosenCode_;
    std::int32_t market_ = 0;
    std::uint32_t quantity_ = 0;
    double price_ = 0;
    double commission_ = 0;
    double income_ = 0;
};

}  // namespace fiscora::ui

#pragma once

#include <cstdint>
#include <string>

#include "engine/trade_fee.h"
#include "ui/trade/transaction_dialog.h"

namespace fiscora::ui {

// 买入股票: one purchase. While the user types it checks the code, derives the market,
// looks up the name and the fee row, and shows the fee, the expense and the largest
// quantity the cash buys.
class BuyDialog : public TransactionDialog {
public:
    // `currencyUnit` is the account's; `cash` its cash balance; `tradeParams` the fee table.
    BuyDialog(Messages& messages, std::string accountName, std::string currencyUnit,
              double availableCash, const TradeParamTable& tradeParams);

    void OnInitDialog() override;
    // Checks in order, the first failure leaving the dialog open: every box reads back;
    // the last lookup found the code; a code; price, quantity and commission; the cash
    // covers quantity x price (the fees may take it below zero).
    bool OnConfirm() override;
    std::optional<LedgerRecord> confirmedRecord() const override;

    // Fields in tab order, then the read-only ones.
    TextField code;
    ChoiceField market;
    TextField price;
    TextField quantity;
    LabelField nameLabel;
    TextField maxBuyable;
    TextField commission;
    TextField expense;
    TextField cash;

    // Whether the last lookup found the code.
    bool codeValid() const { return codeValid_; }

private:
    // The quantity or the price box changed.
    void UpdateFigures();
    // The code box lost the focus to `to` (null: to a button, which skips everything).
    void OnCodeKillFocus(const Field* to);
    // The user picked a market.
    void OnMarketSelected();
    void lookUpName();

    double availableCash_;
    const TradeParamTable& tradeParams_;
    TradeParam tradeParam_{};
    bool codeValid_ = false;
    std::int32_t market_ = 0;
    double price_ = 0;
    std::uint32_t quantity_ = 0;
    double commission_ = 0;
    double expense_ = 0;
};

}  // namespace fiscora::ui

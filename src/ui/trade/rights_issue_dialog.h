#pragma once

#include <optional>

#include "engine/trade_fee.h"
#include "ui/trade/held_stock_dialog.h"

namespace fiscora::ui {

// 配股: new shares a held stock offers at a set price, up to M for every N held, paid from
// the account's cash with the fees of a purchase.
class RightsIssueDialog : public HeldStockDialog {
public:
    RightsIssueDialog(Messages& messages, std::string accountName, std::string currencyUnit,
                      double availableCash, const Ledger& ledger,
                      const TradeParamTable& tradeParams);

    void OnInitDialog() override;
    // In order: with no holdings it closes at once and books nothing; every box reads back;
    // the scheme; no more than the maximum; a price; a quantity; the expense within the cash.
    bool OnConfirm() override;
    // Fee and amount as read back from their boxes, with three decimals.
    std::optional<LedgerRecord> confirmedRecord() const override;

    TextField per;
    TextField grant;
    TextField maximum;
    TextField quantity;
    TextField price;
    TextField commission;
    TextField expense;
    TextField cash;

private:
    void OnCodeSelected() override;
    // N or M changed.
    void UpdateMaximum();
    // The quantity or the price changed.
    void UpdateFigures();
    void findFeeRow();

    double availableCash_;
    const TradeParamTable& tradeParams_;
    TradeParam tradeParam_{};
    bool booked_ = false;
    std::uint32_t quantity_ = 0;
    double price_ = 0;
    double commission_ = 0;
    double expense_ = 0;
};

}  // namespace fiscora::ui

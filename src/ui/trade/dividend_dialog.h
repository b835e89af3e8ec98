#pragma once

#include <optional>

#include "ui/trade/held_stock_dialog.h"

namespace fiscora::ui {

// 股票分红: a cash dividend on a held stock, entered per share; the dialog shows what the
// shares held are due.
class DividendDialog : public HeldStockDialog {
public:
    DividendDialog(Messages& messages, std::string accountName, std::string currencyUnit,
                   const Ledger& ledger);

    void OnInitDialog() override;
    // In order: every box reads back (the held quantity whatever it is); with no holdings
    // it closes at once and books nothing; a rate above zero; a held quantity a record holds.
    bool OnConfirm() override;
    // Held quantity x rate as read back, at full precision (not the three decimals shown).
    std::optional<LedgerRecord> confirmedRecord() const override;

    TextField rate;
    TextField due;

private:
    void OnCodeSelected() override;
    // The rate box changed.
    void UpdateFigures();

    bool booked_ = false;
    std::uint32_t heldValue_ = 0;
    double rateValue_ = 0;
};

}  // namespace fiscora::ui

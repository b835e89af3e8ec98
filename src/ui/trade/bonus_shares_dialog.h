#pragma once

#include <optional>

#include "ui/trade/held_stock_dialog.h"

namespace fiscora::ui {

// 送股: free shares a held stock gives under a scheme of M for every N held.
class BonusSharesDialog : public HeldStockDialog {
public:
    BonusSharesDialog(Messages& messages, std::string accountName, std::string currencyUnit,
                      const Ledger& ledger);

    void OnInitDialog() override;
    // In order: with no holdings it closes at once and books nothing; every box reads back;
    // a whole scheme; a bonus count above zero that a record can hold.
    bool OnConfirm() override;
    // The count worked again from the held quantity and the scheme as read back.
    std::optional<LedgerRecord> confirmedRecord() const override;

    TextField per;
    TextField grant;
    TextField bonus;

private:
    void OnCodeSelected() override;
    // N or M changed.
    void UpdateFigures();

    bool booked_ = false;
    std::uint32_t shares_ = 0;
};

}  // namespace fiscora::ui

#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "engine/trade_fee.h"
#include "records/ledger_record.h"
#include "ui/trade/transaction_dialog.h"

namespace fiscora::ui {

// 修改流水帐: one ledger record edited in place. The kind never changes; which boxes may
// change depends on it (editableBoxes). Fees and totals of trades are recomputed with the
// fee of the stock's row while the user types. The remark box takes the whole stored field.
class EditRecordDialog : public TransactionDialog {
public:
    // `ledger` holds the record at `index`; the edit is checked against the rest of it.
    EditRecordDialog(Messages& messages, std::string accountName, std::string currencyUnit,
                     const Ledger& ledger, std::size_t index, const TradeParamTable& tradeParams);

    // The boxes show the record; the stored fee and total overwrite what the first run of
    // the figures showed.
    void OnInitDialog() override;
    // Checks in order, the first failure leaving the dialog open: a valid six-digit code
    // (when the code may change), every box reads back, quantity, price and total above
    // zero where they may change, and no stock left with fewer than zero shares.
    bool OnConfirm() override;
    // The record rebuilt from the boxes, every other byte zero.
    std::optional<LedgerRecord> confirmedRecord() const override { return edited_; }

    ChoiceField kind;
    TextField code;
    LabelField nameLabel;
    ChoiceField market;
    TextField quantity;
    TextField price;
    TextField fee;
    TextField total;

    bool codeValid() const { return codeValid_; }

private:
    RecordType recordKind() const;
    // The quantity or the price box changed.
    void UpdateFigures();
    // The code box lost the focus to `to` (null: to 修改 or 取消, which skips everything).
    void OnCodeKillFocus(const Field* to);
    void OnMarketSelected();
    void lookUpName();

    const Ledger& ledger_;
    std::size_t index_;
    const TradeParamTable& tradeParams_;
    TradeParam tradeParam_{};
    bool codeValid_ = true;
    std::optional<LedgerRecord> edited_;
};

}  // namespace fiscora::ui

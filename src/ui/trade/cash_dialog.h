#pragma once

#include <string>

#include "ui/trade/transaction_dialog.h"

namespace fiscora::ui {

// 追加资金 / 划出资金: money paid into or taken out of an account. Enter in any field
// confirms, as the 确定 button does.
class CashDialog : public TransactionDialog {
public:
    enum class Mode { Deposit, Withdrawal };

    // `cash` is the account's cash balance, `currencyUnit` the unit it is shown in.
    CashDialog(Messages& messages, Mode mode, std::string accountName, std::string currencyUnit,
               double cash);

    void OnInitDialog() override;
    // The amount reads back as a number above 0; a withdrawal takes no more than the cash.
    bool OnConfirm() override;
    std::optional<LedgerRecord> confirmedRecord() const override;

    Mode mode() const { return mode_; }

    // Fields in tab order, then the balance line above the amount.
    TextField amount;
    LabelField balance;

private:
    Mode mode_;
    double cash_;
    double amount_ = 0;
};

}  // namespace fiscora::ui

#include "ui/trade/cash_dialog.h"

#include "engine/number_format.h"
#include "ui/common/number_text.h"

namespace fiscora::ui {

CashDialog::CashDialog(Messages& messages, Mode mode, std::string accountName,
                       std::string currencyUnit, double cash)
    : TransactionDialog(messages, mode == Mode::Deposit ? kDepositAction : kWithdrawalAction,
                        std::move(accountName), Keys::EnterConfirms),
      mode_(mode), currencyUnit_(std::move(currencyUnit)), cash_(cash) {
    makeNumberBox(amount);
    setFields({&tradeDate, &amount, &remark});
}

void CashDialog::OnInitDialog() {
    amount.text = "0.0";
    remark.text.clear();
    openTransaction();
    balance.text = "现有资金:" + formatAmount(cash_) + currencyUnit_;
    TransactionDialog::OnInitDialog();
}

double CashDialog::shownCash() const {
    return parseDouble(formatAmount(cash_)).value_or(cash_);
}

bool CashDialog::OnConfirm() {
    const auto value = readNumber(amount);
    if (!value || !readRemark()) return false;
    if (*value <= 0) {
        messages().plain("资金的数目必须大于零");
        return false;
    }
    if (!checkRepresentable(amount, cash_ + *value)) return false;
    // Against the balance as the line shows it: the sum of many records may lie a hair
    // below the 1000.000 shown, and withdrawing all of it must still be possible.
    if (mode_ == Mode::Withdrawal && *value > shownCash()) {
        messages().plain("没有足够的资金,请减少划出的资金量");
        return false;
    }
    amount_ = *value;
    return true;
}

}  // namespace fiscora::ui

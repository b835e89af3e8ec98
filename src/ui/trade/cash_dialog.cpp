#include "ui/trade/cash_dialog.h"

#include "engine/number_format.h"
#include "ui/trade/cash_limit.h"

namespace fiscora::ui {

CashDialog::CashDialog(Messages& messages, Mode mode, std::string accountName,
                       std::string currencyUnit, double cash)
    : TransactionDialog(messages, mode == Mode::Deposit ? "追加资金" : "划出资金",
                        std::move(accountName), std::move(currencyUnit), Keys::EnterConfirms),
      mode_(mode), cash_(cash) {
    tradeDate.label = "时间";
    makeNumberBox(amount, "amount", "");
    amount.required = true;
    declare(balance, "balance");
    setFields({&tradeDate, &amount, &remark});
}

void CashDialog::OnInitDialog() {
    amount.text = "0.0";
    remark.text.clear();
    openTransaction();
    balance.text = "现有资金:" + formatAmount(cash_) + currencyUnit();
    TransactionDialog::OnInitDialog();
}

bool CashDialog::OnConfirm() {
    const auto value = readNumber(amount);
    if (!value || !readRemark()) return false;
    if (*value <= 0) {
        messages().plain("资金的数目必须大于零");
        return false;
    }
    if (!checkRepresentable(amount, cash_ + *value)) return false;
    // The whole cash may go, typed exactly or as the balance line shows it.
    if (mode_ == Mode::Withdrawal && !cashCovers(cash_, *value)) {
        messages().plain("没有足够的资金,请减少划出的资金量");
        return false;
    }
    amount_ = *value;
    return true;
}

std::optional<LedgerRecord> CashDialog::confirmedRecord() const {
    return bookedRecord(mode_ == Mode::Deposit ? RecordType::CashIn : RecordType::CashOut, amount_);
}

}  // namespace fiscora::ui

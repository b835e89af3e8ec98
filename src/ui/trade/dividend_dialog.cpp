#include "ui/trade/dividend_dialog.h"

#include "engine/corporate_actions.h"
#include "engine/number_format.h"
#include "ui/trade/corporate_action_checks.h"
#include "ui/trade/leading_number.h"

namespace fiscora::ui {

DividendDialog::DividendDialog(Messages& messages, std::string accountName,
                               std::string currencyUnit, const Ledger& ledger)
    : HeldStockDialog(messages, "股票分红", std::move(accountName), std::move(currencyUnit),
                      ledger) {
    tradeDate.label = "分红日期";
    makeNumberBox(rate, "rate", "红利率");
    rate.required = true;
    rate.note = this->currencyUnit() + "/每股";
    makeFigureBox(due, "due", "应得红利");
    due.note = this->currencyUnit();
    setFields({&tradeDate, &market, &code, &rate, &remark});
    onChange(rate, [this] { UpdateFigures(); });
}

void DividendDialog::OnInitDialog() {
    rate.text = "0";
    due.text = "0";
    openHeldStock();
    OnCodeSelected();
    TransactionDialog::OnInitDialog();
}

void DividendDialog::OnCodeSelected() {
    if (code.selected < 0) return;
    selectStock();
    UpdateFigures();
    showName();
}

void DividendDialog::UpdateFigures() {
    if (rate.text.empty()) return;
    const double perShare = leadingNumber(rate.text);
    if (perShare == 0) return;
    due.text = formatAmount(dividendDue(heldShares(), perShare));
}

bool DividendDialog::OnConfirm() {
    booked_ = false;
    const auto perShare = readNumber(rate);
    if (!perShare) return false;
    const auto shares = readHeld();
    if (!shares || !readNumber(due) || !readRemark()) return false;
    if (code.items.empty()) return true;
    if (const auto refusal = dividendRefusal(*perShare, *shares)) {
        messages().plain(*refusal);
        return false;
    }
    heldValue_ = static_cast<std::uint32_t>(*shares);
    rateValue_ = *perShare;
    booked_ = true;
    return true;
}

std::optional<LedgerRecord> DividendDialog::confirmedRecord() const {
    if (!booked_) return std::nullopt;
    return bookedRecord(RecordType::Dividend, dividendDue(heldValue_, rateValue_),
                        StockTrade{chosenMarketCode(), chosenCode(), heldValue_, rateValue_, 0});
}

}  // namespace fiscora::ui

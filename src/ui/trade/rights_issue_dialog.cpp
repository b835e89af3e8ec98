#include "ui/trade/rights_issue_dialog.h"

#include "engine/corporate_actions.h"
#include "engine/number_format.h"
#include "host/module_state.h"
#include "ui/trade/corporate_action_checks.h"
#include "ui/trade/leading_number.h"

namespace fiscora::ui {

RightsIssueDialog::RightsIssueDialog(Messages& messages, std::string accountName,
                                     std::string currencyUnit, double availableCash,
                                     const Ledger& ledger, const TradeParamTable& tradeParams)
    : HeldStockDialog(messages, "配股", std::move(accountName), std::move(currencyUnit), ledger),
      availableCash_(availableCash), tradeParams_(tradeParams) {
    tradeDate.label = "配股日期";
    market.label = "市场类型";
    // The scheme reads as one line: 配股方案：每 [N] 股配 [M] 股.
    makeNumberBox(per, "per", "配股方案：每");
    per.note = "股配";
    makeNumberBox(grant, "grant", "");
    grant.note = "股";
    makeFigureBox(maximum, "maximum", "最大可配股数量");
    makeNumberBox(quantity, "quantity", "实际配股数量");
    makeNumberBox(price, "price", "配股价格");
    makeFigureBox(commission, "commission", "佣金");
    makeFigureBox(expense, "expense", "开支");
    makeFigureBox(cash, "cash", "现金");
    for (TextField* inUnits : {&price, &commission, &expense, &cash})
        inUnits->note = this->currencyUnit();
    quantity.required = true;
    price.required = true;
    setFields({&tradeDate, &market, &code, &per, &grant, &quantity, &price, &remark});
    onChange(per, [this] { UpdateMaximum(); });
    onChange(grant, [this] { UpdateMaximum(); });
    onChange(quantity, [this] { UpdateFigures(); });
    onChange(price, [this] { UpdateFigures(); });
}

void RightsIssueDialog::OnInitDialog() {
    per.text = "10";
    grant.text = "1";
    for (TextField* box : {&maximum, &quantity, &price, &commission, &expense}) box->text = "0";
    tradeParam_ = defaultTradeParams();
    openHeldStock();
    cash.text = formatAmount(availableCash_);
    // With the scheme at 10 for 1 this shows the held quantity, a tenth of it as the
    // maximum, the name and the fee row.
    OnCodeSelected();
    TransactionDialog::OnInitDialog();
}

void RightsIssueDialog::OnCodeSelected() {
    if (code.selected < 0) return;
    selectStock();
    UpdateMaximum();
    showName();
    findFeeRow();
    UpdateFigures();
}

void RightsIssueDialog::findFeeRow() {
    tradeParam_ = tradeParamFor(tradeParams_, market.selectedText(), code.selectedText());
}

void RightsIssueDialog::UpdateMaximum() {
    const auto shares =
        schemeShares(heldShares(), leadingUnsigned(per.text), leadingUnsigned(grant.text));
    if (shares) maximum.text = formatQuantity(*shares);
}

void RightsIssueDialog::UpdateFigures() {
    const std::uint32_t shares = leadingUnsigned(quantity.text);
    if (shares == 0) return;
    const double perShare = leadingNumber(price.text);
    if (perShare <= 0) return;
    const PurchaseCost cost = purchaseCost(perShare, shares, tradeParam_);
    commission.text = formatAmount(cost.fee);
    expense.text = formatAmount(cost.expense);
}

bool RightsIssueDialog::OnConfirm() {
    booked_ = false;
    if (code.items.empty()) return true;
    RightsSubscription entry;
    const auto base = readUnsigned(per);
    if (!base) return false;
    const auto given = readUnsigned(grant);
    if (!given || !readHeld()) return false;
    // The maximum may lie beyond 32 bits (held x M); it is read whole.
    const auto most = readNumber(maximum);
    if (!most) return false;
    const auto shares = readQuantity(quantity);
    if (!shares) return false;
    const auto perShare = readNumber(price);
    if (!perShare) return false;
    const auto fee = readNumber(commission);
    if (!fee) return false;
    const auto spent = readNumber(expense);
    if (!spent) return false;
    const auto cashShown = readNumber(cash);
    if (!cashShown || !readRemark()) return false;
    entry.per = *base;
    entry.grant = *given;
    entry.quantity = *shares;
    entry.maximum = static_cast<std::int64_t>(*most);
    entry.price = *perShare;
    entry.expense = *spent;
    entry.cash = *cashShown;
    RightsBox toFix = RightsBox::Quantity;
    if (const auto refusal = rightsIssueRefusal(entry, &toFix)) {
        messages().plain(*refusal);
        focusOn(toFix == RightsBox::Scheme ? per : toFix == RightsBox::Price ? price : quantity);
        return false;
    }
    quantity_ = *shares;
    price_ = *perShare;
    commission_ = *fee;
    expense_ = *spent;
    booked_ = true;
    return true;
}

std::optional<LedgerRecord> RightsIssueDialog::confirmedRecord() const {
    if (!booked_) return std::nullopt;
    return bookedRecord(
        RecordType::RightsIssue, expense_,
        StockTrade{chosenMarketCode(), chosenCode(), quantity_, price_, commission_});
}

}  // namespace fiscora::ui

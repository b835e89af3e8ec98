#include "ui/trade/bonus_shares_dialog.h"

#include "engine/corporate_actions.h"
#include "engine/number_format.h"
#include "ui/trade/corporate_action_checks.h"
#include "ui/trade/leading_number.h"

namespace fiscora::ui {

BonusSharesDialog::BonusSharesDialog(Messages& messages, std::string accountName,
                                     std::string currencyUnit, const Ledger& ledger)
    : HeldStockDialog(messages, "送股", std::move(accountName), std::move(currencyUnit), ledger) {
    tradeDate.label = "送股日期";
    // The scheme reads as one line: 送股方案：每 [N] 股送 [M] 股.
    makeNumberBox(per, "per", "送股方案：每");
    per.note = "股送";
    makeNumberBox(grant, "grant", "");
    grant.note = "股";
    makeFigureBox(bonus, "bonus", "送股数量");
    bonus.note = "股";
    setFields({&tradeDate, &market, &code, &per, &grant, &remark});
    onChange(per, [this] { UpdateFigures(); });
    onChange(grant, [this] { UpdateFigures(); });
}

void BonusSharesDialog::OnInitDialog() {
    per.text = "10";
    grant.text = "1";
    bonus.text = "0";
    openHeldStock();
    // With the scheme at 10 for 1 this shows the held quantity and a tenth of it.
    OnCodeSelected();
    TransactionDialog::OnInitDialog();
}

void BonusSharesDialog::OnCodeSelected() {
    if (code.selected < 0) return;
    selectStock();
    UpdateFigures();
    showName();
}

void BonusSharesDialog::UpdateFigures() {
    const auto shares =
        schemeShares(heldShares(), leadingUnsigned(per.text), leadingUnsigned(grant.text));
    if (shares) bonus.text = formatQuantity(*shares);
}

bool BonusSharesDialog::OnConfirm() {
    booked_ = false;
    if (code.items.empty()) return true;
    const auto base = readInt(per);
    if (!base) return false;
    const auto given = readInt(grant);
    if (!given) return false;
    const auto heldShares = readHeld();
    // The bonus box is not read back: the count is worked again from the boxes above, and
    // one too large for a record is refused with its own message below.
    if (!heldShares || !readRemark()) return false;
    if (const auto refusal = bonusSharesRefusal(*heldShares, *base, *given)) {
        messages().plain(*refusal);
        return false;
    }
    shares_ = static_cast<std::uint32_t>(*schemeShares(
        *heldShares, static_cast<std::uint32_t>(*base), static_cast<std::uint32_t>(*given)));
    booked_ = true;
    return true;
}

std::optional<LedgerRecord> BonusSharesDialog::confirmedRecord() const {
    if (!booked_) return std::nullopt;
    return bookedRecord(RecordType::BonusShares, 0,
                        StockTrade{chosenMarketCode(), chosenCode(), shares_, 0, 0});
}

}  // namespace fiscora::ui

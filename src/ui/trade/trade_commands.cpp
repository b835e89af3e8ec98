#include "ui/trade/trade_commands.h"

#include "engine/dates.h"
#include "records/gbk_text.h"
#include "ui/main/main_window_model.h"
#include "ui/trade/buy_dialog.h"
#include "ui/trade/cash_dialog.h"
#include "ui/trade/sell_dialog.h"

namespace fiscora::ui {
namespace {

std::int64_t heldAfterPurchase(const Holdings& holdings, const LedgerRecord& purchase) {
    std::int64_t held = purchase.quantity;
    for (const Holding& h : holdings) {
        if (isRecordOf(purchase, h.market, h.stockCode)) held += h.heldQty();
    }
    return held;
}

}  // namespace

std::optional<TradeCommands::Target> TradeCommands::guardedAccount() {
    auto name = window_.AccountGuard();
    if (!name) return std::nullopt;
    const AccountInfo* account = window_.accountOf(window_.tree()[*window_.selectedItem()]);
    if (account == nullptr) return std::nullopt;
    return Target{std::move(*name), account};
}

std::string TradeCommands::currencyUnitOf(const Target& target) const {
    return currencyUnitOfTradeType(fieldText(target.account->tradeType));
}

void TradeCommands::book(const Target& target, const LedgerRecord& record) {
    Workspace& workspace = window_.workspace();
    workspace.ledger.push_back(record);
    // A failed write has shown its message; the record stays in memory. A file another
    // program changed meanwhile was loaded again, without the record.
    const SaveStatus saved = workspace.saveLedgerOf(*target.account);
    // Cash records leave the positions as they are.
    if (record.isStock() || saved == SaveStatus::ChangedOnDisk) window_.refreshHoldingList();
}

void TradeCommands::OnAddFunds() {
    runCashDialog(true);
}

void TradeCommands::OnWithdrawFunds() {
    runCashDialog(false);
}

void TradeCommands::runCashDialog(bool deposit) {
    const auto target = guardedAccount();
    if (!target) return;
    const auto mode = deposit ? CashDialog::Mode::Deposit : CashDialog::Mode::Withdrawal;
    CashDialog dialog(window_.messages(), mode, target->name, currencyUnitOf(*target),
                      cashBalance(window_.workspace().ledger));
    if (!window_.dialogs().run(dialog)) return;
    LedgerRecord record = dialog.bookedRecord(deposit ? RecordType::CashIn : RecordType::CashOut);
    record.amount = dialog.amountValue();
    book(*target, record);
}

void TradeCommands::OnBuyStock() {
    const auto target = guardedAccount();
    if (!target) return;
    Workspace& workspace = window_.workspace();
    BuyDialog dialog(window_.messages(), target->name, currencyUnitOf(*target),
                     cashBalance(workspace.ledger), workspace.tradeParams);
    if (!window_.dialogs().run(dialog)) return;
    LedgerRecord record = dialog.bookedRecord(RecordType::Buy);
    record.market = dialog.chosenMarketCode();
    storeBytes(record.stockCode, dialog.code.text);
    record.quantity = static_cast<std::int32_t>(dialog.quantityValue());
    record.price = dialog.priceValue();
    record.fee = dialog.commissionValue();
    record.amount = dialog.expenseValue();
    // A position beyond what one record can hold could never be sold in one piece, and
    // its sums would leave every int the files and lists use.
    if (heldAfterPurchase(workspace.holdings, record) > kMaxHeldQuantity) {
        window_.messages().plain("买入后持股数量将超过2147483647股,不能买入");
        return;
    }
    book(*target, record);
}

void TradeCommands::OnSellStock() {
    const auto target = guardedAccount();
    if (!target) return;
    Workspace& workspace = window_.workspace();
    workspace.sellable = computeSellable(workspace.ledger, today());
    SellDialog dialog(window_.messages(), target->name, currencyUnitOf(*target), workspace);
    if (!window_.dialogs().run(dialog) || !dialog.sold()) return;
    LedgerRecord record = dialog.bookedRecord(RecordType::Sell);
    record.market = dialog.chosenMarketCode();
    storeBytes(record.stockCode, dialog.chosenCode());
    record.quantity = static_cast<std::int32_t>(dialog.quantityValue());
    record.price = dialog.priceValue();
    record.fee = dialog.commissionValue();
    record.amount = dialog.incomeValue();
    book(*target, record);
}

}  // namespace fiscora::ui

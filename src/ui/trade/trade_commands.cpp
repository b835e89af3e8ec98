#include "ui/trade/trade_commands.h"

#include "records/gbk_text.h"
#include "ui/trade/bonus_shares_dialog.h"
#include "ui/trade/buy_dialog.h"
#include "ui/trade/cash_dialog.h"
#include "ui/trade/dividend_dialog.h"
#include "ui/trade/rights_issue_dialog.h"
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

std::string currencyUnitOf(const GuardedAccount& account) {
    return currencyUnitOfTradeType(fieldText(account.info.tradeType));
}

void runAndBook(CommandContext& window, TransactionDialog& dialog, const GuardedAccount& account) {
    if (!window.dialogs().run(dialog)) return;
    const auto record = dialog.confirmedRecord();
    if (!record) return;
    Workspace& workspace = window.workspace();
    // A position beyond what one record can hold could never be sold in one piece, and
    // its sums would leave every int the files and lists use.
    if (record->kind() == RecordType::Buy &&
        heldAfterPurchase(workspace.holdings, *record) > kMaxHeldQuantity) {
        window.messages().plain("买入后持股数量将超过2147483647股,不能买入");
        return;
    }
    workspace.ledger.push_back(*record);
    // A failed write has shown its message; the record stays in memory. A file another
    // program changed meanwhile was loaded again, without the record.
    const SaveStatus saved = workspace.saveLedgerOf(account.info);
    // Cash records leave the positions as they are, and change only the status line.
    if (record->isStock() || saved == SaveStatus::ChangedOnDisk)
        window.refreshHoldingList();
    else
        window.refreshAccountStatus();
}

void runCashDialog(CommandContext& window, bool deposit) {
    const auto account = window.AccountGuard();
    if (!account) return;
    const auto mode = deposit ? CashDialog::Mode::Deposit : CashDialog::Mode::Withdrawal;
    CashDialog dialog(window.messages(), mode, account->name, currencyUnitOf(*account),
                      cashBalance(window.workspace().ledger));
    runAndBook(window, dialog, *account);
}

}  // namespace

void OnAddFunds(CommandContext& window) {
    runCashDialog(window, true);
}

void OnWithdrawFunds(CommandContext& window) {
    runCashDialog(window, false);
}

void OnBuyStock(CommandContext& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    const Workspace& workspace = window.workspace();
    BuyDialog dialog(window.messages(), account->name, currencyUnitOf(*account),
                     cashBalance(workspace.ledger), workspace.tradeParams);
    runAndBook(window, dialog, *account);
}

void OnSellStock(CommandContext& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    const Workspace& workspace = window.workspace();
    SellDialog dialog(window.messages(), account->name, currencyUnitOf(*account), workspace.ledger,
                      workspace.tradeParams);
    runAndBook(window, dialog, *account);
}

// A dividend rebuilds the holdings list like every other stock record, so the list never
// shows figures from before it.
void OnDividend(CommandContext& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    DividendDialog dialog(window.messages(), account->name, currencyUnitOf(*account),
                          window.workspace().ledger);
    runAndBook(window, dialog, *account);
}

void OnBonusShares(CommandContext& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    BonusSharesDialog dialog(window.messages(), account->name, currencyUnitOf(*account),
                             window.workspace().ledger);
    runAndBook(window, dialog, *account);
}

void OnRightsIssue(CommandContext& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    const Workspace& workspace = window.workspace();
    RightsIssueDialog dialog(window.messages(), account->name, currencyUnitOf(*account),
                             cashBalance(workspace.ledger), workspace.ledger,
                             workspace.tradeParams);
    runAndBook(window, dialog, *account);
}

}  // namespace fiscora::ui

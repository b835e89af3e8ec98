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

std::int64_t heldAfterBooking(const Holdings& holdings, const LedgerRecord& record) {
    std::int64_t held = record.quantity;
    for (const Holding& h : holdings) {
        if (isRecordOf(record, h.market, h.stockCode)) held += h.heldQty();
    }
    return held;
}

// A position beyond what one record can hold could never be sold in one piece, and its sums
// would leave every int the files and lists use: the purchase, bonus shares or rights issue
// that would take it there is refused with this message.
std::optional<std::string> holdingLimitRefusal(const Holdings& holdings,
                                               const LedgerRecord& record) {
    const char* refusal = nullptr;
    switch (record.kind()) {
    case RecordType::Buy: refusal = "买入后持股数量将超过2147483647股,不能买入"; break;
    case RecordType::BonusShares: refusal = "送股后持股数量将超过2147483647股,不能送股"; break;
    case RecordType::RightsIssue: refusal = "配股后持股数量将超过2147483647股,不能配股"; break;
    default: return std::nullopt;
    }
    if (heldAfterBooking(holdings, record) <= kMaxHeldQuantity) return std::nullopt;
    return refusal;
}

std::string currencyUnitOf(const GuardedAccount& account) {
    return currencyUnitOfTradeType(fieldText(account.info.tradeType));
}

void runAndBook(CommandContext& window, TransactionDialog& dialog, const GuardedAccount& account) {
    if (!window.dialogs().run(dialog)) return;
    const auto record = dialog.confirmedRecord();
    if (!record) return;
    Workspace& workspace = window.workspace();
    if (const auto refusal = holdingLimitRefusal(workspace.holdings, *record)) {
        window.messages().plain(*refusal);
        return;
    }
    workspace.appendRecord(*record);
    // A failed write has shown its message; the record stays in memory. A file another
    // program changed meanwhile was loaded again, without the record, its holdings with it.
    const SaveStatus saved = workspace.saveLedgerOf(account.info);
    // Cash records leave the positions as they are, and change only the status line.
    if (record->isStock() || saved == SaveStatus::ChangedOnDisk)
        window.showHoldingListAsKept();
    else
        window.refreshAccountStatus();
    // The list stays on the stock just booked, wherever the rebuilt list has it.
    if (record->isStock()) window.selectHolding(record->market, fieldBytes(record->stockCode));
}

// A stock dialog opens on the holdings list's selected position, when there is one.
void openOnSelectedHolding(CommandContext& window, TransactionDialog& dialog) {
    if (const HoldingRow* row = window.selectedHolding())
        dialog.openOnStock({row->holding.market, row->holding.stockCode});
}

void runCashDialog(CommandContext& window, bool deposit) {
    const auto account = window.AccountGuard();
    if (!account) return;
    const auto mode = deposit ? CashDialog::Mode::Deposit : CashDialog::Mode::Withdrawal;
    CashDialog dialog(window.messages(), mode, account->name, currencyUnitOf(*account),
                      window.workspace().cashBalance());
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
                     workspace.cashBalance(), workspace.tradeParams);
    runAndBook(window, dialog, *account);
}

void OnSellStock(CommandContext& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    const Workspace& workspace = window.workspace();
    SellDialog dialog(window.messages(), account->name, currencyUnitOf(*account), workspace);
    openOnSelectedHolding(window, dialog);
    runAndBook(window, dialog, *account);
}

// A dividend rebuilds the holdings list like every other stock record, so the list never
// shows figures from before it.
void OnDividend(CommandContext& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    DividendDialog dialog(window.messages(), account->name, currencyUnitOf(*account),
                          window.workspace().ledger);
    openOnSelectedHolding(window, dialog);
    runAndBook(window, dialog, *account);
}

void OnBonusShares(CommandContext& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    BonusSharesDialog dialog(window.messages(), account->name, currencyUnitOf(*account),
                             window.workspace().ledger);
    openOnSelectedHolding(window, dialog);
    runAndBook(window, dialog, *account);
}

void OnRightsIssue(CommandContext& window) {
    const auto account = window.AccountGuard();
    if (!account) return;
    const Workspace& workspace = window.workspace();
    RightsIssueDialog dialog(window.messages(), account->name, currencyUnitOf(*account),
                             workspace.cashBalance(), workspace.ledger, workspace.tradeParams);
    openOnSelectedHolding(window, dialog);
    runAndBook(window, dialog, *account);
}

}  // namespace fiscora::ui

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

}  // namespace

void TradeCommands::runAndBook(TransactionDialog& dialog, const GuardedAccount& account) {
    if (!window_.dialogs().run(dialog)) return;
    const auto record = dialog.confirmedRecord();
    if (!record) return;
    Workspace& workspace = window_.workspace();
    if (const auto refusal = holdingLimitRefusal(workspace.holdings, *record)) {
        window_.messages().plain(*refusal);
        return;
    }
    workspace.ledger.push_back(*record);
    // A failed write has shown its message; the record stays in memory. A file another
    // program changed meanwhile was loaded again, without the record.
    const SaveStatus saved = workspace.saveLedgerOf(account.info);
    // Cash records leave the positions as they are, and change only the status line.
    if (record->isStock() || saved == SaveStatus::ChangedOnDisk)
        window_.refreshHoldingList();
    else
        window_.refreshAccountStatus();
    // The list stays on the stock just booked, wherever the rebuilt list has it.
    if (record->isStock()) window_.selectHolding(record->market, fieldBytes(record->stockCode));
}

void TradeCommands::openOnSelectedHolding(TransactionDialog& dialog) const {
    if (const Holding* h = window_.selectedHolding()) dialog.openOnStock({h->market, h->stockCode});
}

void TradeCommands::OnAddFunds() {
    runCashDialog(true);
}

void TradeCommands::OnWithdrawFunds() {
    runCashDialog(false);
}

void TradeCommands::runCashDialog(bool deposit) {
    const auto account = window_.AccountGuard();
    if (!account) return;
    const auto mode = deposit ? CashDialog::Mode::Deposit : CashDialog::Mode::Withdrawal;
    CashDialog dialog(window_.messages(), mode, account->name, currencyUnitOf(*account),
                      cashBalance(window_.workspace().ledger));
    runAndBook(dialog, *account);
}

void TradeCommands::OnBuyStock() {
    const auto account = window_.AccountGuard();
    if (!account) return;
    const Workspace& workspace = window_.workspace();
    BuyDialog dialog(window_.messages(), account->name, currencyUnitOf(*account),
                     cashBalance(workspace.ledger), workspace.tradeParams);
    runAndBook(dialog, *account);
}

void TradeCommands::OnSellStock() {
    const auto account = window_.AccountGuard();
    if (!account) return;
    const Workspace& workspace = window_.workspace();
    SellDialog dialog(window_.messages(), account->name, currencyUnitOf(*account), workspace.ledger,
                      workspace.tradeParams);
    openOnSelectedHolding(dialog);
    runAndBook(dialog, *account);
}

// A dividend rebuilds the holdings list like every other stock record, so the list never
// shows figures from before it.
void TradeCommands::OnDividend() {
    const auto account = window_.AccountGuard();
    if (!account) return;
    DividendDialog dialog(window_.messages(), account->name, currencyUnitOf(*account),
                          window_.workspace().ledger);
    openOnSelectedHolding(dialog);
    runAndBook(dialog, *account);
}

void TradeCommands::OnBonusShares() {
    const auto account = window_.AccountGuard();
    if (!account) return;
    BonusSharesDialog dialog(window_.messages(), account->name, currencyUnitOf(*account),
                             window_.workspace().ledger);
    openOnSelectedHolding(dialog);
    runAndBook(dialog, *account);
}

void TradeCommands::OnRightsIssue() {
    const auto account = window_.AccountGuard();
    if (!account) return;
    const Workspace& workspace = window_.workspace();
    RightsIssueDialog dialog(window_.messages(), account->name, currencyUnitOf(*account),
                             cashBalance(workspace.ledger), workspace.ledger,
                             workspace.tradeParams);
    openOnSelectedHolding(dialog);
    runAndBook(dialog, *account);
}

}  // namespace fiscora::ui

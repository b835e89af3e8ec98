#include "ui/trade/trade_commands.h"

#include "records/gbk_text.h"
#include "ui/trade/buy_dialog.h"
#include "ui/trade/cash_dialog.h"
#include "ui/trade/sell_dialog.h"

namespace fiscora::ui {
namespace {

std::string currencyUnitOf(const GuardedAccount& account) {
    return currencyUnitOfTradeType(fieldText(account.info.tradeType));
}

}  // namespace

void TradeCommands::runAndBook(TransactionDialog& dialog, const GuardedAccount& account) {
    if (!window_.dialogs().run(dialog)) return;
    const auto record = dialog.confirmedRecord();
    if (!record) return;
    Workspace& workspace = window_.workspace();
    workspace.ledger.push_back(*record);
    // A failed write has shown its message; the record stays in memory.
    workspace.saveLedgerOf(account.info);
    // Cash records leave the positions as they are.
    if (record->isStock()) window_.refreshHoldingList();
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
    runAndBook(dialog, *account);
}

}  // namespace fiscora::ui

#pragma once

#include "ui/main/main_window_model.h"

namespace fiscora::ui {

class TransactionDialog;

// The main window's commands that book cash, purchases and sales. Each runs the account
// guard, shows its dialog through the window's DialogRunner with the account's figures,
// and books the record the confirmed dialog yields: appended to the ledger, the ledger
// file rewritten, and for stock records the holdings recomputed and the list rebuilt.
class TradeCommands {
public:
    explicit TradeCommands(MainWindowModel& window) : window_(window) {}

    void OnAddFunds();
    void OnWithdrawFunds();
    void OnBuyStock();
    void OnSellStock();

private:
    void runCashDialog(bool deposit);
    void runAndBook(TransactionDialog& dialog, const GuardedAccount& account);

    MainWindowModel& window_;
};

}  // namespace fiscora::ui

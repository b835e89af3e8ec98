#pragma once

#include "ui/main/main_window_model.h"

namespace fiscora::ui {

class TransactionDialog;

// The main window's commands that book cash, purchases, sales, dividends, bonus shares and
// rights issues. Each runs the account
// guard, shows its dialog through the window's DialogRunner with the account's figures,
// and books the record the confirmed dialog yields: appended to the ledger, the ledger
// file rewritten, and for stock records the holdings recomputed and the list rebuilt with
// the booked stock selected. The stock dialogs open on the list's selected stock.
class TradeCommands {
public:
    explicit TradeCommands(MainWindowModel& window) : window_(window) {}

    void OnAddFunds();
    void OnWithdrawFunds();
    void OnBuyStock();
    void OnSellStock();
    void OnDividend();
    void OnBonusShares();
    void OnRightsIssue();

private:
    void runCashDialog(bool deposit);
    void runAndBook(TransactionDialog& dialog, const GuardedAccount& account);
    // A stock dialog opens on the holdings list's selected position, when there is one.
    void openOnSelectedHolding(TransactionDialog& dialog) const;

    MainWindowModel& window_;
};

}  // namespace fiscora::ui

#pragma once

#include <optional>
#include <string>

#include "records/ledger_record.h"

namespace fiscora {
struct AccountInfo;
}

namespace fiscora::ui {

class MainWindowModel;

// The main window's commands that book cash, purchases and sales. Each runs the account
// guard, shows its dialog through the window's DialogRunner with the account's figures,
// and books the confirmed record: appended to the ledger, the ledger file rewritten, and
// for stock records the holdings recomputed and the list rebuilt.
class TradeCommands {
public:
    explicit TradeCommands(MainWindowModel& window) : window_(window) {}

    void OnAddFunds();
    void OnWithdrawFunds();
    void OnBuyStock();
    void OnSellStock();

private:
    // The guarded account: its UTF-8 name and registry entry.
    struct Target {
        std::string name;
        const AccountInfo* account;
    };
    std::optional<Target> guardedAccount();
    std::string currencyUnitOf(const Target& target) const;
    void runCashDialog(bool deposit);
    void book(const Target& target, const LedgerRecord& record);

    MainWindowModel& window_;
};

}  // namespace fiscora::ui

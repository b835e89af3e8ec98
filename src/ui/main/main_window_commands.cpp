#include "output/list_reports.h"
#include "output/list_text_export.h"
#include "ui/account/account_commands.h"
#include "ui/main/command_ids.h"
#include "ui/main/main_window_model.h"
#include "ui/trade/trade_commands.h"

namespace fiscora::ui {

// The commands the window carries out. Every other command id of the menus and the
// toolbar is not available, and its view shows it disabled.
void MainWindowModel::registerCommands() {
    AccountCommands& accounts = *accountCommands_;
    commands_[command::kLogin] = [&accounts] { accounts.OnLogin(); };
    commands_[command::kNewAccount] = [&accounts] { accounts.OnNewAccount(); };
    commands_[command::kCloseAccount] = [&accounts] { accounts.OnCloseAccount(); };
    commands_[command::kDeleteAccount] = [&accounts] { accounts.OnDeleteAccount(); };
    TradeCommands& trades = *tradeCommands_;
    commands_[command::kCashIn] = [&trades] { trades.OnAddFunds(); };
    commands_[command::kCashOut] = [&trades] { trades.OnWithdrawFunds(); };
    commands_[command::kBuy] = [&trades] { trades.OnBuyStock(); };
    commands_[command::kSell] = [&trades] { trades.OnSellStock(); };
    commands_[command::kRefreshQuotes] = [this] { refreshHoldingList(); };
    commands_[command::kProfitAmount] = [this] { showCharts(ChartKind::Profit); };
    commands_[command::kProfitRate] = [this] { showCharts(ChartKind::ProfitRate); };
    commands_[command::kNetAssetShare] = [this] { showCharts(ChartKind::Invested); };
    commands_[command::kNetProfitShare] = [this] { showCharts(ChartKind::ProfitShare); };
    commands_[command::kAbout] = [this] { showAbout(); };
    commands_[command::kExit] = [this] { closeRequested_ = true; };
    // A menu holder: the face of the button does nothing, its arrow opens the menu.
    commands_[command::kOtherOperations] = [] {};
}

// Both take the holdings list as it shows, whether or not an account is selected.
void MainWindowModel::setListOutput(ListOutput& output) {
    commands_[command::kPrint] = [this, &output] {
        output.printList(holdingTable(rows_), kHoldingsReport.title);
    };
    commands_[command::kSaveAsText] = [this, &output] {
        SaveList(holdingTable(rows_), kHoldingsReport.fileName, messages(),
                 [&output](const std::string& path) { output.openInTextEditor(path); });
    };
}

}  // namespace fiscora::ui

#include "output/list_reports.h"
#include "output/list_text_export.h"
#include "ui/account/account_commands.h"
#include "ui/account/statement_import_command.h"
#include "ui/analysis/capital_curve_command.h"
#include "ui/analysis/trade_details_command.h"
#include "ui/main/command_ids.h"
#include "ui/main/main_window_model.h"
#include "ui/records/ledger_view_dialog.h"
#include "ui/records/trade_param_list_dialog.h"
#include "ui/trade/stock_records_deletion.h"
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
    commands_[command::kRenameAccount] = [&accounts] { accounts.OnRenameAccount(); };
    commands_[command::kChangePassword] = [&accounts] { accounts.OnChangePassword(); };
    commands_[command::kAccountProperties] = [&accounts] { accounts.OnAccountProperties(); };
    commands_[command::kViewLedger] = [this] { OnViewLedger(); };
    TradeCommands& trades = *tradeCommands_;
    commands_[command::kCashIn] = [&trades] { trades.OnAddFunds(); };
    commands_[command::kCashOut] = [&trades] { trades.OnWithdrawFunds(); };
    commands_[command::kBuy] = [&trades] { trades.OnBuyStock(); };
    commands_[command::kSell] = [&trades] { trades.OnSellStock(); };
    commands_[command::kCapitalCurve] = [this] { OnCapitalCurve(*this); };
    commands_[command::kDividend] = [&trades] { trades.OnDividend(); };
    commands_[command::kBonusShares] = [&trades] { trades.OnBonusShares(); };
    commands_[command::kRightsIssue] = [&trades] { trades.OnRightsIssue(); };
    commands_[command::kDeleteStockRecords] = [this] { OnDeleteStockRecords(*this); };
    commands_[command::kTradeDetails] = [this] { OnTradeDetails(*this); };
    commands_[command::kRefreshQuotes] = [this] { refreshHoldingList(); };
    commands_[command::kProfitAmount] = [this] { showCharts(ChartKind::Profit); };
    commands_[command::kProfitRate] = [this] { showCharts(ChartKind::ProfitRate); };
    commands_[command::kNetAssetShare] = [this] { showCharts(ChartKind::Invested); };
    commands_[command::kNetProfitShare] = [this] { showCharts(ChartKind::ProfitShare); };
    commands_[command::kTradeParams] = [this] { OnTradeParams(); };
    commands_[command::kAbout] = [this] { showAbout(); };
    commands_[command::kExit] = [this] { closeRequested_ = true; };
    // A menu holder: the face of the button does nothing, its arrow opens the menu.
    commands_[command::kOtherOperations] = [] {};
}

std::function<void(const LedgerFilter&)> MainWindowModel::dayLedgerOpener() {
    return [this](const LedgerFilter& filter) { OnViewLedger(filter); };
}

// Both take the holdings list as it shows, whether or not an account is selected.
void MainWindowModel::setListOutput(ListOutput& output) {
    listOutput_ = &output;
    commands_[command::kPrint] = [this, &output] {
        output.printList(holdingTable(rows_), kHoldingsReport.title);
    };
    commands_[command::kSaveAsText] = [this, &output] {
        SaveList(holdingTable(rows_), kHoldingsReport.fileName, messages(),
                 [&output](const std::string& path) { return output.openInTextEditor(path); });
    };
}

void MainWindowModel::OnTradeParams() {
    TradeParamListDialog dialog(workspace_, dialogs_);
    dialogs_.run(dialog);
}

void MainWindowModel::setStatementChooser(std::function<std::optional<std::string>()> choose) {
    commands_[command::kImportStatement] = [this, choose = std::move(choose)] {
        OnImportStatement(*this, choose);
    };
}

void MainWindowModel::OnViewLedger(const LedgerFilter& filter) {
    const auto account = AccountGuard();
    if (!account) return;
    workspace_.recomputeHoldings();
    LedgerViewDialog dialog(*this, *account, filter, listOutput_);
    dialogs_.run(dialog);
    refreshHoldingList();
}

}  // namespace fiscora::ui

#include "output/list_reports.h"
#include "output/list_text_export.h"
#include "ui/account/account_commands.h"
#include "ui/account/program_settings_command.h"
#include "ui/account/statement_import_command.h"
#include "ui/analysis/capital_curve_command.h"
#include "ui/analysis/chart_command.h"
#include "ui/analysis/returns_command.h"
#include "ui/analysis/trade_details_command.h"
#include "ui/main/about_box.h"
#include "ui/main/command_ids.h"
#include "ui/main/main_window_model.h"
#include "ui/records/ledger_view_command.h"
#include "ui/records/trade_params_command.h"
#include "ui/trade/stock_records_deletion.h"
#include "ui/trade/trade_commands.h"

namespace fiscora::ui {

// The commands the window carries out, each a function of the window as a CommandContext.
// Every other command id of the menus and the toolbar is not available, and its view shows
// it disabled.
void MainWindowModel::registerCommands() {
    commands_ = {
        {command::kLogin, {OnLogin}},
        {command::kNewAccount, {OnNewAccount}},
        {command::kCloseAccount, {OnCloseAccount}},
        {command::kDeleteAccount, {OnDeleteAccount}},
        {command::kRenameAccount, {OnRenameAccount}},
        {command::kChangePassword, {OnChangePassword}},
        {command::kAccountProperties, {OnAccountProperties}},
        {command::kProgramSettings, {OnProgramSettings}},
        {command::kViewLedger, {[](CommandContext& c) { OnViewLedger(c); }}},
        {command::kCashIn, {OnAddFunds}},
        {command::kCashOut, {OnWithdrawFunds}},
        {command::kBuy, {OnBuyStock}},
        {command::kSell, {OnSellStock}},
        {command::kCapitalCurve, {OnCapitalCurve}},
        {command::kReturns, {OnReturnsAnalysis}},
        {command::kDividend, {OnDividend}},
        {command::kBonusShares, {OnBonusShares}},
        {command::kRightsIssue, {OnRightsIssue}},
        {command::kDeleteStockRecords, {OnDeleteStockRecords}},
        {command::kTradeDetails, {OnTradeDetails}},
        {command::kRefreshQuotes, {[](CommandContext& c) { c.refreshHoldingList(); }}},
        {command::kProfitAmount, {[](CommandContext& c) { OnCharts(c, ChartKind::Profit); }}},
        {command::kProfitRate, {[](CommandContext& c) { OnCharts(c, ChartKind::ProfitRate); }}},
        {command::kNetAssetShare, {[](CommandContext& c) { OnCharts(c, ChartKind::Invested); }}},
        {command::kNetProfitShare,
         {[](CommandContext& c) { OnCharts(c, ChartKind::ProfitShare); }}},
        {command::kTradeParams, {OnTradeParams}},
        {command::kAbout, {[](CommandContext& c) {
             AboutBox about(c.messages());
             c.dialogs().run(about);
         }}},
        {command::kExit, {[this](CommandContext&) { closeRequested_ = true; }}},
        // A menu holder: the face of the button does nothing, its arrow opens the menu.
        {command::kOtherOperations, {[](CommandContext&) {}}},
        // Both take the holdings list as it shows, whether or not an account is selected.
        {command::kPrint,
         {[this](CommandContext&) {
              listOutput_->printList(holdingTable(rows_), kHoldingsReport.title);
          },
          Needs::ListOutput}},
        {command::kSaveAsText,
         {[this](CommandContext& c) {
              ListOutput& output = *listOutput_;
              SaveList(
                  holdingTable(rows_), kHoldingsReport.fileName, c.messages(),
                  [&output](const std::string& path) { return output.openInTextEditor(path); });
          },
          Needs::ListOutput}},
        {command::kImportStatement,
         {[this](CommandContext& c) { OnImportStatement(c, chooseStatement_); },
          Needs::StatementChooser}},
    };
}

}  // namespace fiscora::ui

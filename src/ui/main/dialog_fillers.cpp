#include "ui/main/dialog_fillers.h"

#include "ui/account/account_properties_dialog.h"
#include "ui/account/change_password_dialog.h"
#include "ui/account/new_account_dialog.h"
#include "ui/account/password_dialog.h"
#include "ui/account/program_settings_dialog.h"
#include "ui/account/rename_account_dialog.h"
#include "ui/account/statement_import_dialog.h"
#include "ui/analysis/capital_curve_dialog.h"
#include "ui/analysis/chart_dialog.h"
#include "ui/analysis/returns_dialog.h"
#include "ui/analysis/trade_details_dialog.h"
#include "ui/main/about_box.h"
#include "ui/records/edit_record_dialog.h"
#include "ui/records/ledger_view_dialog.h"
#include "ui/records/trade_param_dialog.h"
#include "ui/records/trade_param_list_dialog.h"
#include "ui/trade/bonus_shares_dialog.h"
#include "ui/trade/buy_dialog.h"
#include "ui/trade/cash_dialog.h"
#include "ui/trade/dividend_dialog.h"
#include "ui/trade/rights_issue_dialog.h"
#include "ui/trade/sell_dialog.h"

namespace fiscora::ui {
namespace {

// A held stock is chosen as a user does: the code picked first, which may fix the market,
// then the other entries in tab order (a market the code fixed otherwise is refused).
std::optional<EntryRefusal> enterHeldStock(DialogModel& dialog, const Entries& entries) {
    const auto code = entries.find("code");
    if (code != entries.end()) {
        if (auto refusal = enterFields(dialog, {*code})) return refusal;
    }
    Entries rest = entries;
    rest.erase("code");
    return enterFields(dialog, rest);
}

}  // namespace

const HeadlessFillers& dialogFillers() {
    static const HeadlessFillers fillers = [] {
        HeadlessFillers f;
        f.add<NewAccountDialog>(enterFields);
        f.add<PasswordDialog>(enterFields);
        f.add<RenameAccountDialog>(enterFields);
        f.add<ChangePasswordDialog>(enterFields);
        f.add<AccountPropertiesDialog>(enterFields);
        f.add<StatementImportDialog>(enterFields);
        f.add<ProgramSettingsDialog>(enterFields);
        f.add<AboutBox>(enterFields);
        f.add<CashDialog>(enterFields);
        f.add<BuyDialog>(enterFields);
        f.add<SellDialog>(enterFields);
        f.add<DividendDialog>(enterHeldStock);
        f.add<BonusSharesDialog>(enterHeldStock);
        f.add<RightsIssueDialog>(enterHeldStock);
        f.add<EditRecordDialog>(enterFieldsAndLeave);
        f.add<LedgerViewDialog>(enterFields);
        f.add<TradeParamDialog>(enterFields);
        f.add<TradeParamListDialog>(enterFields);
        f.add<CapitalCurveDialog>(enterFields);
        f.add<ChartDialog>(enterFields);
        f.add<ReturnsDialog>(enterFields);
        f.add<TradeDetailsDialog>(enterFields);
        return f;
    }();
    return fillers;
}

}  // namespace fiscora::ui

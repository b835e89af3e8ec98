#include "qt/main/dialog_views.h"

#include "qt/account/account_identity_views.h"
#include "qt/account/new_account_view.h"
#include "qt/account/password_view.h"
#include "qt/account/program_settings_view.h"
#include "qt/account/statement_import_view.h"
#include "qt/analysis/capital_curve_view.h"
#include "qt/analysis/chart_view.h"
#include "qt/analysis/returns_view.h"
#include "qt/analysis/trade_details_view.h"
#include "qt/main/about_view.h"
#include "qt/records/edit_record_view.h"
#include "qt/records/ledger_view.h"
#include "qt/records/trade_param_list_view.h"
#include "qt/records/trade_param_view.h"
#include "qt/trade/bonus_shares_view.h"
#include "qt/trade/buy_view.h"
#include "qt/trade/cash_view.h"
#include "qt/trade/dividend_view.h"
#include "qt/trade/rights_issue_view.h"
#include "qt/trade/sell_view.h"

namespace fiscora::qt {
namespace {

template <typename View, typename Model> bool showModal(Model& model, QWidget* owner) {
    View view(model, owner);
    return view.runModal();
}

}  // namespace

const DialogViews& dialogViews() {
    static const DialogViews views = [] {
        DialogViews v;
        v.add<ui::NewAccountDialog>(showModal<NewAccountView, ui::NewAccountDialog>);
        v.add<ui::PasswordDialog>(showModal<PasswordView, ui::PasswordDialog>);
        v.add<ui::RenameAccountDialog>(showModal<RenameAccountView, ui::RenameAccountDialog>);
        v.add<ui::ChangePasswordDialog>(showModal<ChangePasswordView, ui::ChangePasswordDialog>);
        v.add<ui::AccountPropertiesDialog>(
            showModal<AccountPropertiesView, ui::AccountPropertiesDialog>);
        v.add<ui::StatementImportDialog>(showModal<StatementImportView, ui::StatementImportDialog>);
        v.add<ui::ProgramSettingsDialog>(showModal<ProgramSettingsView, ui::ProgramSettingsDialog>);
        v.add<ui::AboutBox>(showModal<AboutView, ui::AboutBox>);
        v.add<ui::CashDialog>(showModal<CashView, ui::CashDialog>);
        v.add<ui::BuyDialog>(showModal<BuyView, ui::BuyDialog>);
        v.add<ui::SellDialog>(showModal<SellView, ui::SellDialog>);
        v.add<ui::DividendDialog>(showModal<DividendView, ui::DividendDialog>);
        v.add<ui::BonusSharesDialog>(showModal<BonusSharesView, ui::BonusSharesDialog>);
        v.add<ui::RightsIssueDialog>(showModal<RightsIssueView, ui::RightsIssueDialog>);
        v.add<ui::EditRecordDialog>(showModal<EditRecordView, ui::EditRecordDialog>);
        v.add<ui::LedgerViewDialog>(showModal<LedgerView, ui::LedgerViewDialog>);
        v.add<ui::TradeParamDialog>(showModal<TradeParamView, ui::TradeParamDialog>);
        v.add<ui::TradeParamListDialog>(showModal<TradeParamListView, ui::TradeParamListDialog>);
        v.add<ui::CapitalCurveDialog>(showModal<CapitalCurveView, ui::CapitalCurveDialog>);
        v.add<ui::ChartDialog>(showModal<ChartView, ui::ChartDialog>);
        v.add<ui::ReturnsDialog>(showModal<ReturnsView, ui::ReturnsDialog>);
        v.add<ui::TradeDetailsDialog>(showModal<TradeDetailsView, ui::TradeDetailsDialog>);
        return v;
    }();
    return views;
}

}  // namespace fiscora::qt

#include "qt/main/dialog_views.h"

#include "qt/account/new_account_view.h"
#include "qt/account/password_view.h"
#include "qt/analysis/chart_view.h"
#include "qt/main/about_view.h"
#include "qt/trade/buy_view.h"
#include "qt/trade/cash_view.h"
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
        v.add<ui::AboutBox>(showModal<AboutView, ui::AboutBox>);
        v.add<ui::CashDialog>(showModal<CashView, ui::CashDialog>);
        v.add<ui::BuyDialog>(showModal<BuyView, ui::BuyDialog>);
        v.add<ui::SellDialog>(showModal<SellView, ui::SellDialog>);
        v.add<ui::ChartDialog>(showModal<ChartView, ui::ChartDialog>);
        return v;
    }();
    return views;
}

}  // namespace fiscora::qt

#include "qt/main/qt_dialog_runner.h"

#include "qt/account/new_account_view.h"
#include "qt/account/password_view.h"
#include "qt/main/about_view.h"
#include "qt/trade/buy_view.h"
#include "qt/trade/cash_view.h"
#include "qt/trade/sell_view.h"

namespace fiscora::qt {

namespace {

template <typename View, typename Model>
bool tryRun(ui::DialogModel& dialog, QWidget* owner, bool& confirmed) {
    auto* model = dynamic_cast<Model*>(&dialog);
    if (model == nullptr) return false;
    View view(*model, owner);
    confirmed = view.runModal();
    return true;
}

}  // namespace

bool QtDialogRunner::run(ui::DialogModel& dialog) {
    bool confirmed = false;
    tryRun<NewAccountView, ui::NewAccountDialog>(dialog, owner_, confirmed) ||
        tryRun<PasswordView, ui::PasswordDialog>(dialog, owner_, confirmed) ||
        tryRun<AboutView, ui::AboutBox>(dialog, owner_, confirmed) ||
        tryRun<CashView, ui::CashDialog>(dialog, owner_, confirmed) ||
        tryRun<BuyView, ui::BuyDialog>(dialog, owner_, confirmed) ||
        tryRun<SellView, ui::SellDialog>(dialog, owner_, confirmed);
    return confirmed;
}

}  // namespace fiscora::qt

#include "ui/main/dialog_fillers.h"

#include "ui/account/new_account_dialog.h"
#include "ui/analysis/chart_dialog.h"
#include "ui/account/password_dialog.h"
#include "ui/main/about_box.h"
#include "ui/trade/buy_dialog.h"
#include "ui/trade/cash_dialog.h"
#include "ui/trade/sell_dialog.h"

namespace fiscora::ui {

const HeadlessFillers& dialogFillers() {
    static const HeadlessFillers fillers = [] {
        HeadlessFillers f;
        f.add<NewAccountDialog>(enterFields);
        f.add<PasswordDialog>(enterFields);
        f.add<AboutBox>(enterFields);
        f.add<CashDialog>(enterFields);
        f.add<BuyDialog>(enterFields);
        f.add<SellDialog>(enterFields);
        f.add<ChartDialog>(enterFields);
        return f;
    }();
    return fillers;
}

}  // namespace fiscora::ui

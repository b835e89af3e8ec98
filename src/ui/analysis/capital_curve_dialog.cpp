#include "ui/analysis/capital_curve_dialog.h"

#include "ui/common/dialog_title.h"

namespace fiscora::ui {

CapitalCurveDialog::CapitalCurveDialog(Messages& messages, const std::string& account,
                                       const Ledger& ledger, SeriesPrices prices,
                                       DayLedgerOpener openDayLedger)
    : DialogModel(messages), curve_(ledger, std::move(prices)),
      openDayLedger_(std::move(openDayLedger)) {
    setCaption(dialogTitle("资金曲线", account));
    setButtons({.confirm = "退出", .cancel = ""});
    setKeyNavigation(false);
    declare(stocks, "stock");
    declare(drawing, "style");
    declare(total, "total", "总资金图表");
    stocks.items = curve_.stockEntries();
    stocks.selected = curve_.selectedStock();
    drawing.items = {"画曲线图", "画柱状图"};
    drawing.selected = 0;
    setTabOrder({&stocks, &drawing, &total});

    onChange(stocks, [this] { curve_.selectStock(stocks.selected); });
    onChange(drawing, [this] {
        curve_.setStyle(drawing.selected == 1 ? CurveStyle::Bars : CurveStyle::Curve);
    });
    onChange(total, [this] {
        curve_.setTotal(total.checked);
        stocks.enabled = !total.checked;
    });
    addAction({.caption = "显示当日相关流水帐",
               .run = [this] { ShowDayLedger(); },
               .enabled = [this] { return static_cast<bool>(openDayLedger_); },
               .button = false,
               .contextMenu = true});
}

void CapitalCurveDialog::ShowDayLedger() {
    const auto request = curve_.dayLedger();
    if (!request || !openDayLedger_) return;
    if (curve_.recordCount(*request) == 0) {
        messages().plain(kNoDayRecordsNotice);
        return;
    }
    openDayLedger_(*request);
    // The ledger view may have deleted or edited records.
    curve_.ledgerChanged();
}

}  // namespace fiscora::ui

#pragma once

#include <functional>
#include <string>

#include "ui/analysis/capital_curve.h"
#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// 资金曲线: the stock list, 画曲线图 / 画柱状图, 总资金图表 and 退出, beside the chart area
// the view draws from curve(). A right click on a day opens the context menu: its one action,
// 显示当日相关流水帐, asks for the ledger view of that day (and of the stock shown).
class CapitalCurveDialog : public DialogModel {
public:
    using DayLedgerOpener = std::function<void(const LedgerFilter&)>;

    // The chart area is the client area less this many pixels on the right.
    static constexpr int kControlsWidth = 130;

    // `openDayLedger` may be empty: the menu entry then cannot run.
    CapitalCurveDialog(Messages& messages, const std::string& account, const Ledger& ledger,
                       SeriesPrices prices, DayLedgerOpener openDayLedger);

    ChoiceField stocks;   // the stock list
    ChoiceField drawing;  // 画曲线图, 画柱状图
    CheckField total;     // 总资金图表

    CapitalCurve& curve() { return curve_; }
    // A right click at `point` of the chart area: true when a day is under it and the
    // context menu is to open.
    bool OnRightClick(CanvasPoint point) { return curve_.rightClick(point); }

private:
    // The menu entry: the ledger view of the day last right-clicked, or kNoDayRecordsNotice
    // when that day's ledger holds no record; the curve is computed again from the ledger
    // as that view left it.
    void ShowDayLedger();

    CapitalCurve curve_;
    DayLedgerOpener openDayLedger_;
};

}  // namespace fiscora::ui

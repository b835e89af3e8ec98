#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "engine/returns.h"
#include "output/list_output.h"
#include "ui/analysis/capital_curve_chart.h"
#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// What the chart area says instead of a chart.
inline constexpr const char* kNoRecordsNotice = "没有流水帐";
inline constexpr const char* kFromAfterToNotice = "起始日期晚于截止日期";

// 收益分析: the logged-in account (or one of its positions) over a period: the figures of
// the whole period, a row per year or per trailing period, and the value day by day with a
// benchmark on the same scale and the deepest fall shaded. Every change of a choice
// measures again; nothing is written.
class ReturnsDialog : public DialogModel {
public:
    // `output` prints the table and opens a saved file; without one 数据打印 and 数据存盘
    // do nothing. `now` bounds the date pickers.
    ReturnsDialog(Messages& messages, const std::string& account, const Ledger& ledger,
                  SeriesPrices prices, ListOutput* output, std::time_t now);

    // The whole history up to today, measured.
    void OnInitDialog() override;

    DateField from;
    DateField to;
    ChoiceField periods;  // 每年, 最近1、3、5年
    ChoiceField stock;    // 整个帐户, then every stock the account has held
    TextField benchmarkCode;
    ChoiceField benchmarkMarket;

    TextField startValue;
    TextField endValue;
    TextField netFlow;
    TextField irr;
    TextField twr;
    TextField maxDrawdown;
    TextField peakDay;
    TextField troughDay;
    TextField recoveryDay;
    TextField benchmark;
    TextField excess;

    ListField table;  // the whole period, then each year or trailing period

    // What was measured last; no rows when nothing could be.
    const ReturnsAnalysis& analysis() const { return analysis_; }
    // Why nothing was measured (kNoRecordsNotice, kFromAfterToNotice), else empty.
    const std::string& notice() const { return notice_; }
    // The request the fields make.
    ReturnsRequest request() const;

    // The value chart in an area of `width` x `height` cleared to `face`, the legend
    // under it; an area without a chart says why.
    void draw(ReportCanvas& canvas, int width, int height, Rgb face);

    void OnPrint();
    void OnSave();

    // The legend's height under the chart, and the colour of the benchmark's line.
    static constexpr int kLegendHeight = 22;
    static constexpr Rgb kBenchmarkColour{0, 0, 255};

private:
    void measure();
    void showFigures();
    void drawLegend(ReportCanvas& canvas, int top, int width, const CurveOverlay& overlay);

    const Ledger& ledger_;
    SeriesPrices prices_;
    ListOutput* output_;
    std::vector<StockId> stocks_;
    ReturnsAnalysis analysis_;
    std::string notice_;
    CapitalCurveChart chart_;
};

}  // namespace fiscora::ui

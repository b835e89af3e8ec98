#include "ui/analysis/returns_dialog.h"

#include <algorithm>

#include "engine/dates.h"
#include "engine/number_format.h"
#include "output/ledger_rows.h"
#include "output/list_reports.h"
#include "output/list_text_export.h"
#include "records/trading_terms.h"
#include "ui/analysis/chart_notice.h"
#include "ui/analysis/returns_table.h"
#include "ui/common/date_picker.h"
#include "ui/common/dialog_title.h"

namespace fiscora::ui {
namespace {

constexpr std::size_t kCodeDigits = 6;
constexpr SizedFont kLegendFont{FontFace::Interface, 14, 0};
constexpr int kSwatchWidth = 24;
constexpr int kLegendGap = 16;

// The first day of the ledger's records dated on a calendar day up to `today`, else today.
std::int32_t firstRecordDay(const Ledger& ledger, std::int32_t today) {
    std::int32_t first = today;
    for (const LedgerRecord& r : ledger) {
        if (isCalendarDate(r.date) && r.date < first) first = r.date;
    }
    return first;
}

std::string stockEntry(const StockId& stock) {
    return marketText(stock.market) + stock.code;
}

void showRate(TextField& field, const std::optional<double>& rate) {
    field.text = rateText(rate);
    field.tone = rateTone(rate);
}

}  // namespace

ReturnsDialog::ReturnsDialog(Messages& messages, const std::string& account, const Ledger& ledger,
                             SeriesPrices prices, ListOutput* output, std::time_t now)
    : DialogModel(messages), ledger_(ledger), prices_(std::move(prices)), output_(output),
      stocks_(tradedStocks(ledger)) {
    setCaption(dialogTitle("收益分析", account));
    setButtons({.confirm = "关闭", .cancel = ""});
    setKeyNavigation(false);
    declare(from, "from", "时间从");
    declare(to, "to", "到");
    for (DateField* picker : {&from, &to}) setPickerRange(*picker, now);
    declare(periods, "by", "分段");
    periods.items = {"每年", "最近1、3、5年"};
    periods.selected = 0;
    declare(stock, "stock", "对象");
    stock.items = {"整个帐户"};
    for (const StockId& s : stocks_) stock.items.push_back(stockEntry(s));
    stock.selected = 0;
    declare(benchmarkCode, "benchmark", "比较基准");
    benchmarkCode.maxChars = kCodeDigits;
    benchmarkCode.digitsOnly = true;
    declare(benchmarkMarket, "benchmark-market", "市场");
    benchmarkMarket.items = marketTexts();
    benchmarkMarket.selected = 1;

    const struct {
        TextField& field;
        const char* name;
        const char* label;
    } figures[] = {{startValue, "start-value", "期初市值"},
                   {endValue, "end-value", "期末市值"},
                   {netFlow, "net-flow", "净投入资金"},
                   {irr, "irr", "资金加权年化"},
                   {twr, "twr", "时间加权年化"},
                   {maxDrawdown, "max-drawdown", "最大回撤"},
                   {peakDay, "peak-day", "回撤高点"},
                   {troughDay, "trough-day", "回撤低点"},
                   {recoveryDay, "recovery-day", "恢复日期"},
                   {benchmark, "benchmark-return", "基准年化"},
                   {excess, "excess", "超额收益"}};
    for (const auto& figure : figures) {
        declare(figure.field, figure.name, figure.label);
        figure.field.kind = FieldKind::Figure;
        figure.field.alignRight = true;
    }

    declare(table, "periods", "分段收益");
    for (const ReturnsColumn& c : returnsColumns()) table.columns.push_back(c.column);
    table.cellText = [this](std::size_t row, std::size_t column) {
        return returnsColumns().at(column).cell(analysis_.rows.at(row));
    };
    table.cellTone = [this](std::size_t row, std::size_t column) {
        return returnsColumns().at(column).tone(analysis_.rows.at(row));
    };

    setTabOrder({&from, &to, &periods, &stock, &benchmarkCode, &benchmarkMarket, &table});
    for (Field* field : std::initializer_list<Field*>{&from, &to, &periods, &stock, &benchmarkCode,
                                                      &benchmarkMarket})
        onChange(*field, [this] { measure(); });
    // Nothing measured, nothing to print or save.
    const auto measured = [this] { return !analysis_.rows.empty(); };
    addAction({.caption = "数据存盘",
               .run = [this] { OnSave(); },
               .enabled = measured,
               .keys = {"Ctrl+S"}});
    addAction({.caption = "数据打印",
               .run = [this] { OnPrint(); },
               .enabled = measured,
               .keys = {"Ctrl+P"}});
}

void ReturnsDialog::OnInitDialog() {
    DialogModel::OnInitDialog();
    from.date = firstRecordDay(ledger_, prices_.today);
    to.date = prices_.today;
    measure();
}

ReturnsRequest ReturnsDialog::request() const {
    ReturnsRequest r;
    r.from = from.date;
    r.to = to.date;
    r.byYear = periods.selected == 0;
    r.trailing = periods.selected == 1;
    if (stock.selected > 0 && static_cast<std::size_t>(stock.selected) <= stocks_.size())
        r.stock = stocks_[static_cast<std::size_t>(stock.selected) - 1];
    // A code is a benchmark once all its digits are typed.
    if (benchmarkCode.text.size() == kCodeDigits && benchmarkMarket.selected >= 0)
        r.benchmark = StockId{benchmarkMarket.selected, benchmarkCode.text};
    return r;
}

void ReturnsDialog::measure() {
    const ReturnsRequest r = request();
    analysis_ = {};
    notice_.clear();
    if (r.from > r.to)
        notice_ = kFromAfterToNotice;
    else
        analysis_ = analyseReturns(ledger_, prices_, r);
    if (notice_.empty() && analysis_.rows.empty()) notice_ = kNoRecordsNotice;
    table.selected = -1;
    table.rowsReplaced(analysis_.rows.size(), false);
    showFigures();
}

void ReturnsDialog::showFigures() {
    for (TextField* field : {&startValue, &endValue, &netFlow, &irr, &twr, &maxDrawdown, &peakDay,
                             &troughDay, &recoveryDay, &benchmark, &excess}) {
        field->text.clear();
        field->tone = CellTone::Plain;
    }
    if (analysis_.rows.empty()) return;
    const PeriodFigures& f = analysis_.rows.front().figures;
    startValue.text = formatAmount(f.startValue);
    endValue.text = formatAmount(f.endValue);
    netFlow.text = formatAmount(f.netFlow());
    showRate(irr, f.irr);
    showRate(twr, f.twr);
    showRate(benchmark, f.benchmark);
    showRate(excess, f.excess);
    showRate(maxDrawdown, f.drawdown.depth);
    maxDrawdown.tone = rateTone(-f.drawdown.depth);
    if (f.drawdown.depth > 0) {
        peakDay.text = ledgerDateText(f.drawdown.peakDay);
        troughDay.text = ledgerDateText(f.drawdown.troughDay);
        recoveryDay.text =
            f.drawdown.recoveryDay ? ledgerDateText(*f.drawdown.recoveryDay) : "未恢复";
    }
}

void ReturnsDialog::draw(ReportCanvas& canvas, int width, int height, Rgb face) {
    const ReportRect area{0, 0, width, height};
    if (!notice_.empty()) {
        drawChartNotice(canvas, area, face, notice_);
        return;
    }
    const PeriodFigures& f = analysis_.rows.front().figures;
    const std::int32_t first = dayNumber(f.from);
    DaySeries series;
    series.reserve(analysis_.values.size());
    for (std::size_t i = 0; i < analysis_.values.size(); ++i) {
        const double v = analysis_.values[i];
        series.push_back({v, v, v, v, dateOfDayNumber(first + static_cast<std::int32_t>(i))});
    }
    CurveOverlay overlay;
    overlay.line = analysis_.benchmark;
    overlay.lineColour = kBenchmarkColour;
    if (f.drawdown.depth > 0) {
        overlay.shaded = {static_cast<std::size_t>(dayNumber(f.drawdown.peakDay) - first),
                          static_cast<std::size_t>(dayNumber(f.drawdown.troughDay) - first)};
    }
    const int chartHeight = height - kLegendHeight;
    if (!chart_.DrawCurve(canvas, series, CurveStyle::Curve, width, chartHeight, face, overlay)) {
        drawChartNotice(canvas, area, face, kNoDataNotice);
        return;
    }
    canvas.fill({0, chartHeight, width, height}, face);
    drawLegend(canvas, chartHeight, width, overlay);
}

void ReturnsDialog::drawLegend(ReportCanvas& canvas, int top, int width,
                               const CurveOverlay& overlay) {
    TextStyle style;
    style.vertical = VerticalAlign::Center;
    int x = CapitalCurveChart::kPlotLeft;
    const int middle = top + kLegendHeight / 2;
    const auto entry = [&](const std::string& text, const auto& swatch) {
        if (x >= width) return;
        swatch(x);
        x += kSwatchWidth + 4;
        const int textWidth = canvas.measure(kLegendFont, text).width;
        canvas.text(kLegendFont, {x, top, std::min(width, x + textWidth), top + kLegendHeight},
                    text, style);
        x += textWidth + kLegendGap;
    };
    entry(stock.selected > 0 ? stock.selectedText() + "市值" : std::string("帐户总资产"),
          [&](int at) { canvas.line(at, middle, at + kSwatchWidth, middle, kBlack); });
    const ReturnsRequest r = request();
    if (r.benchmark) {
        const std::string name = "基准" + marketText(r.benchmark->market) + r.benchmark->code;
        if (overlay.line.empty()) {
            entry(name + "没有数据", [](int) {});
        } else {
            entry(name, [&](int at) {
                canvas.line(at, middle, at + kSwatchWidth, middle, kBenchmarkColour);
            });
        }
    }
    if (overlay.shaded) {
        entry("最大回撤", [&](int at) {
            canvas.fill({at, middle - 5, at + kSwatchWidth, middle + 5}, overlay.shadeColour);
        });
    }
}

void ReturnsDialog::OnPrint() {
    if (output_ != nullptr) output_->printList(returnsTable(analysis_.rows), kReturnsReport.title);
}

void ReturnsDialog::OnSave() {
    if (output_ == nullptr) return;
    SaveList(returnsTable(analysis_.rows), kReturnsReport.fileName, messages(),
             [this](const std::string& path) { return output_->openInTextEditor(path); });
}

}  // namespace fiscora::ui

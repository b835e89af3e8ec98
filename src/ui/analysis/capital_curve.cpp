#include "ui/analysis/capital_curve.h"

#include <algorithm>
#include <cstdio>

#include "engine/dates.h"
#include "engine/trade_fee.h"
#include "records/gbk_text.h"
#include "ui/analysis/chart_notice.h"

namespace fiscora::ui {
namespace {

const DaySeries kNoSeries;

}  // namespace

CapitalCurve::CapitalCurve(const Ledger& ledger, SeriesPrices prices)
    : ledger_(ledger), prices_(std::move(prices)) {}

const CapitalCurve::StockList& CapitalCurve::stockList() const {
    if (!stockList_) {
        StockList& list = stockList_.emplace();
        for (const Holding& h : computeHoldings(ledger_, 0, -1)) {
            list.stocks.push_back({h.market, h.stockCode});
            list.entries.push_back(marketText(h.market) + gbkToUtf8(h.stockCode));
        }
    }
    return *stockList_;
}

int CapitalCurve::selectedStock() const {
    return selected_ < static_cast<int>(stockList().stocks.size()) ? selected_ : -1;
}

void CapitalCurve::selectStock(int index) {
    selected_ = index >= 0 && index < static_cast<int>(stockList().stocks.size()) ? index : -1;
}

const StockId* CapitalCurve::shownStock() const {
    if (total_ || selectedStock() < 0) return nullptr;
    return &stockList().stocks[static_cast<std::size_t>(selected_)];
}

const DaySeries& CapitalCurve::series() {
    const StockId* stock = shownStock();
    if (!total_ && stock == nullptr) return kNoSeries;
    const int key = total_ ? -1 : selected_;
    auto found = computed_.find(key);
    if (found == computed_.end()) {
        found = computed_
                    .emplace(key, total_ ? TotalSeries(ledger_, prices_)
                                         : StockSeries(ledger_, *stock, false, prices_))
                    .first;
    }
    return found->second;
}

void CapitalCurve::ledgerChanged() {
    computed_.clear();
    drawn_ = nullptr;
    lastRightClick_.reset();
}

void CapitalCurve::draw(ReportCanvas& canvas, int width, int height, Rgb face) {
    drawn_ = &series();
    if (chart_.DrawCurve(canvas, *drawn_, style_, width, height, face)) return;
    if (const char* notice = emptyNotice())
        drawChartNotice(canvas, {0, 0, width, height}, face, notice);
}

const char* CapitalCurve::emptyNotice() const {
    if (drawn_->empty())
        return total_ || stockList().stocks.empty() ? kNoHoldingsNotice : kNoStockChosenNotice;
    const bool anyValue =
        std::any_of(drawn_->begin(), drawn_->end(), [](const DayPoint& p) { return p.high > 0; });
    return anyValue ? nullptr : kNoDataNotice;
}

LedgerFilter CapitalCurve::dayFilter(std::int32_t day) const {
    const StockId* stock = shownStock();
    return stock ? LedgerFilter::oneDay(day, stock->code) : LedgerFilter::oneDay(day);
}

std::size_t CapitalCurve::recordCount(const LedgerFilter& filter) const {
    return static_cast<std::size_t>(std::count_if(
        ledger_.begin(), ledger_.end(), [&](const LedgerRecord& r) { return filter.shows(r); }));
}

std::optional<std::string> CapitalCurve::tooltipAt(CanvasPoint point) const {
    const int i = chart_.NearestPoint(point.x);
    if (i < 0 || drawn_ == nullptr) return std::nullopt;
    const DayPoint& p = (*drawn_)[static_cast<std::size_t>(i)];
    const DateParts date = splitDate(p.day);
    const std::size_t records = recordCount(dayFilter(p.day));
    char text[160];
    std::snprintf(text, sizeof text, "%d年%d月%d日\n%s:%.3f\n", date.year, date.month, date.day,
                  total_ ? "总资产" : "市值", p.close);
    std::string out = text;
    if (records == 0) return out + kNoDayRecordsNotice;
    return out + "当日流水帐:" + std::to_string(records) + "笔";
}

bool CapitalCurve::rightClick(CanvasPoint point) {
    const int i = chart_.NearestPoint(point.x);
    lastRightClick_.reset();
    if (i < 0 || drawn_ == nullptr) return false;
    lastRightClick_ = dayFilter((*drawn_)[static_cast<std::size_t>(i)].day);
    return true;
}

std::optional<LedgerFilter> CapitalCurve::dayLedger() const {
    return lastRightClick_;
}

}  // namespace fiscora::ui

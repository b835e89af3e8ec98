#include "ui/analysis/capital_curve.h"

#include <cstdio>

#include "engine/trade_fee.h"
#include "records/gbk_text.h"

namespace fiscora::ui {
namespace {

const DaySeries kNoSeries;

}  // namespace

CapitalCurve::CapitalCurve(const Ledger& ledger, SeriesPrices prices)
    : ledger_(ledger), prices_(std::move(prices)) {
    for (const Holding& h : computeHoldings(ledger, 0, -1)) {
        stocks_.push_back({h.market, h.stockCode});
        entries_.push_back(marketText(h.market) + gbkToUtf8(h.stockCode));
    }
    if (!stocks_.empty()) selected_ = 0;
}

void CapitalCurve::selectStock(int index) {
    selected_ = index >= 0 && index < static_cast<int>(stocks_.size()) ? index : -1;
}

const StockId* CapitalCurve::shownStock() const {
    return total_ || selected_ < 0 ? nullptr : &stocks_[static_cast<std::size_t>(selected_)];
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
    lastRightClick_ = -1;
}

void CapitalCurve::draw(ReportCanvas& canvas, int width, int height, Rgb face) {
    drawn_ = &series();
    chart_.DrawCurve(canvas, *drawn_, style_, width, height, face);
}

std::optional<std::string> CapitalCurve::tooltipAt(CanvasPoint point) const {
    const int i = chart_.HitTest(point);
    if (i < 0 || drawn_ == nullptr) return std::nullopt;
    const DayPoint& p = (*drawn_)[static_cast<std::size_t>(i)];
    char text[128];
    if (style_ == CurveStyle::Bars)
        std::snprintf(text, sizeof text, "时间:%d\n市值:%.3f", p.day, p.close);
    else
        std::snprintf(text, sizeof text, "时间:%d\n纵坐标:%.3f", p.day, chart_.valueAt(point.y));
    return text;
}

bool CapitalCurve::rightClick(CanvasPoint point) {
    lastRightClick_ = chart_.HitTest(point);
    lastRightClickCode_.reset();
    if (const StockId* stock = shownStock()) lastRightClickCode_ = stock->code;
    return lastRightClick_ >= 0;
}

std::optional<LedgerFilter> CapitalCurve::dayLedger() const {
    if (lastRightClick_ < 0 || drawn_ == nullptr) return std::nullopt;
    return LedgerFilter::oneDay((*drawn_)[static_cast<std::size_t>(lastRightClick_)].day,
                                lastRightClickCode_);
}

}  // namespace fiscora::ui

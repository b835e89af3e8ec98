#include "engine/running_cash_balance.h"

#include <algorithm>
#include <limits>

namespace fiscora {

RunningCashBalance::RunningCashBalance(const Ledger& ledger)
    : ledger_(ledger), earliestFrom_(ledger.size() + 1), sumBefore_(ledger.size() + 1, 0.0) {
    constexpr std::int32_t kNever = std::numeric_limits<std::int32_t>::max();
    earliestFrom_[ledger.size()] = kNever;
    for (std::size_t i = ledger.size(); i-- > 0;) {
        const std::int32_t date = ledger[i].date;
        const bool counts = date >= 0;
        earliestFrom_[i] = counts ? std::min(date, earliestFrom_[i + 1]) : earliestFrom_[i + 1];
        if (counts) joins_.emplace_back(date, i);
    }
    std::sort(joins_.begin(), joins_.end());
}

double RunningCashBalance::upTo(std::int32_t day) {
    if (nextJoin_ == joins_.size() || joins_[nextJoin_].first > day) return sumBefore_[end_];
    // The first record (in ledger order) that counts from this day on; the sums before it
    // stay as they are, and beyond the old end nothing counted, so they equal the sum there.
    std::size_t from = joins_[nextJoin_].second;
    while (nextJoin_ < joins_.size() && joins_[nextJoin_].first <= day)
        from = std::min(from, joins_[nextJoin_++].second);
    std::size_t i = std::min(from, end_);
    double sum = sumBefore_[i];
    for (; i < from; ++i) sumBefore_[i + 1] = sum;
    for (; i < ledger_.size() && earliestFrom_[i] <= day; ++i) {
        const LedgerRecord& r = ledger_[i];
        if (r.date >= 0 && r.date <= day) sum += r.cashSign * r.amount;
        sumBefore_[i + 1] = sum;
    }
    end_ = i;
    return sum;
}

}  // namespace fiscora

#include "engine/holdings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/position_index.h"
#include "engine/trade_fee.h"

namespace fiscora {
namespace {

std::string_view codeOf(const LedgerRecord& r) {
    return {r.stockCode, ::strnlen(r.stockCode, sizeof r.stockCode)};
}

// Builds a holding list, finding each record's position through the position index, so
// that large ledgers stay linear; the list keeps the order of first appearance.
class HoldingBuilder {
public:
    Holding& holdingFor(const LedgerRecord& r) { return list_[positionOf(r)]; }

    // The record's position in the list, added at its end when it is new.
    std::size_t positionOf(const LedgerRecord& r) {
        const PositionIndex::Found found = index_.find(r);
        if (found.added) {
            Holding& h = list_.emplace_back();
            h.market = r.market;
            h.stockCode = codeOf(r);
        }
        return found.index;
    }
    Holding& at(std::size_t position) { return list_[position]; }

    // Every position in order of first appearance, or only the open ones.
    Holdings finish(bool openOnly = true) {
        if (openOnly) std::erase_if(list_, [](const Holding& h) { return h.heldQty() == 0; });
        return std::move(list_);
    }

private:
    Holdings list_;
    PositionIndex index_;  // by position, as list_
};

bool withinDates(const LedgerRecord& r, std::int32_t from, std::int32_t to) {
    return r.date >= from && (to == -1 || r.date <= to);
}

// The first six bytes of the code compared as C strings, like strncmp(code, filter, 6).
bool matchesFilter(const LedgerRecord& r, std::string_view filter) {
    char want[7] = {};
    std::memcpy(want, filter.data(), std::min<std::size_t>(filter.size(), 6));
    return std::strncmp(r.stockCode, want, 6) == 0;
}

}  // namespace

void addToHolding(Holding& h, const LedgerRecord& r) {
    switch (r.kind()) {
    case RecordType::Buy:
    case RecordType::RightsIssue:
        h.buyAmount += r.amount;
        h.buyFee += r.fee;
        h.boughtQty += r.quantity;
        break;
    case RecordType::Sell:
        h.sellFee += r.fee;
        h.soldQty += r.quantity;
        h.sellAmount += r.amount;
        break;
    case RecordType::BonusShares: h.bonusQty += r.quantity; break;
    case RecordType::Dividend: h.dividendAmount += r.amount; break;
    default: break;
    }
}

Holdings computeHoldings(const Ledger& ledger, std::int32_t from, std::int32_t to,
                         std::optional<std::string_view> codeFilter) {
    HoldingBuilder builder;
    for (const auto& r : ledger) {
        if (!r.isStock() || !withinDates(r, from, to)) continue;
        if (codeFilter && !matchesFilter(r, *codeFilter)) continue;
        addToHolding(builder.holdingFor(r), r);
    }
    return builder.finish();
}

bool addToHoldings(Holdings& holdings, const LedgerRecord& record) {
    if (!record.isStock() || !withinDates(record, 0, -1)) return true;
    const auto h = std::find_if(holdings.begin(), holdings.end(), [&](const Holding& held) {
        return held.market == record.market && held.stockCode == codeOf(record);
    });
    // A position not listed is new or was closed: where it goes in the order of first
    // appearance only the whole ledger tells.
    if (h == holdings.end()) return false;
    addToHolding(*h, record);
    if (h->heldQty() == 0) holdings.erase(h);
    return true;
}

namespace {

// computeSellable over `count` records of a ledger in ledger order, the i-th `recordAt(i)`.
template <class RecordAt>
Holdings sellableOf(std::size_t count, RecordAt recordAt, std::int32_t onDate) {
    // One index for both lists, so that they line up position by position.
    HoldingBuilder whole;
    Holdings list;
    for (std::size_t i = 0; i < count; ++i) {
        const LedgerRecord& r = recordAt(i);
        if (!r.isStock() || r.kind() == RecordType::Dividend) continue;
        const std::size_t position = whole.positionOf(r);
        Holding& w = whole.at(position);
        if (position == list.size()) {
            Holding& added = list.emplace_back();
            added.market = w.market;
            added.stockCode = w.stockCode;
        }
        Holding& h = list[position];
        // Shares acquired on the day itself are not sellable yet; a sale booked on the day
        // has already used its shares.
        const bool counts = r.kind() == RecordType::Sell ? r.date <= onDate : r.date < onDate;
        switch (r.kind()) {
        case RecordType::Buy:
        case RecordType::RightsIssue:
            w.boughtQty += r.quantity;
            if (counts) h.boughtQty += r.quantity;
            break;
        case RecordType::Sell:
            w.soldQty += r.quantity;
            if (counts) h.soldQty += r.quantity;
            break;
        case RecordType::BonusShares:
            w.bonusQty += r.quantity;
            if (counts) h.bonusQty += r.quantity;
            break;
        default: break;
        }
    }
    // Never more than the whole ledger leaves held (later sales included), never below 0.
    Holdings all = whole.finish(false);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::int64_t held = list[i].heldQty();
        const std::int64_t limit =
            std::max<std::int64_t>(std::min<std::int64_t>(held, all[i].heldQty()), 0);
        list[i].soldQty += held - limit;
    }
    std::erase_if(list, [](const Holding& h) { return h.heldQty() == 0; });
    return list;
}

}  // namespace

Holdings computeSellable(const Ledger& ledger, std::int32_t onDate) {
    return sellableOf(
        ledger.size(), [&](std::size_t i) -> const LedgerRecord& { return ledger[i]; }, onDate);
}

Holdings computeSellable(const Ledger& ledger, std::span<const std::uint32_t> recordsOfOneStock,
                         std::int32_t onDate) {
    return sellableOf(
        recordsOfOneStock.size(),
        [&](std::size_t i) -> const LedgerRecord& { return ledger[recordsOfOneStock[i]]; }, onDate);
}

std::uint32_t shareCount(std::int64_t quantity) {
    const std::int64_t size = quantity < 0 ? -quantity : quantity;
    return static_cast<std::uint32_t>(std::min<std::int64_t>(size, UINT32_MAX));
}

double breakEven(double cost, std::uint32_t quantity, const TradeParam& row) {
    if (quantity == 0) return 0;
    // Converges in a handful of rounds for real fee rates; the bound only matters for
    // rates that add up to 1 or more, where the estimate grows without end.
    constexpr int kMaxRounds = 100000;
    const double q = quantity;
    double guess = 20.0;
    double next = guess;
    for (int round = 0; round < kMaxRounds; ++round) {
        next = (tradeFee(guess, quantity, row) + cost) / q;
        if (std::fabs(guess - next) < 0.001 || !std::isfinite(next)) break;
        guess = next;
    }
    return next;
}

double holdingBreakEven(const Holding& h, const TradeParam& row) {
    return breakEven(h.buyAmount, shareCount(h.boughtQty + h.bonusQty), row);
}

HoldingFigures holdingFigures(const Holding& h, double p, const TradeParam& row) {
    HoldingFigures f;
    f.heldQty = h.heldQty();
    const auto held = static_cast<double>(f.heldQty);
    const std::int64_t owned = h.boughtQty + h.bonusQty;
    f.marketValue = held * p;
    f.averagePrice = owned != 0 ? h.buyAmount / static_cast<double>(owned) : 0;
    f.floatingProfit =
        held * p - ((h.buyAmount - h.sellAmount) + tradeFee(p, shareCount(f.heldQty), row));
    f.returnRate = h.buyAmount != 0 ? f.floatingProfit / h.buyAmount * 100 : 0;
    f.breakEvenPrice = holdingBreakEven(h, row);
    f.realisedProfit = h.soldQty != 0
                           ? static_cast<double>(h.soldQty) *
                                 (h.sellAmount / static_cast<double>(h.soldQty) - f.breakEvenPrice)
                           : 0;
    const double soldCost = f.averagePrice * static_cast<double>(h.soldQty);
    f.realisedRate = soldCost != 0 ? f.realisedProfit / soldCost : 0;
    f.currentProfit = f.floatingProfit;
    f.currentRate = h.buyAmount != 0 ? f.currentProfit / h.buyAmount : 0;
    return f;
}

}  // namespace fiscora

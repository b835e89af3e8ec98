#pragma once

#include <climits>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/ledger_record.h"
#include "records/trade_param.h"

namespace fiscora {

// One stock's position summed from the ledger; never stored. Identified by
// (market, stockCode), the code compared as a whole string.
struct Holding {
    std::int32_t market = 0;
    std::string stockCode;  // GBK bytes as in the records (digits in practice)
    // Quantities are summed in 64 bits: each record holds up to 2^31 - 1 shares, and a
    // ledger may hold many.
    std::int64_t boughtQty = 0;  // bought plus subscribed in rights issues
    std::int64_t soldQty = 0;
    double buyAmount = 0;   // Buy and RightsIssue amounts, fees included
    double sellAmount = 0;  // Sell amounts, net of fees
    double sellFee = 0;
    double buyFee = 0;
    std::int64_t bonusQty = 0;
    double dividendAmount = 0;  // counts only in the cash, in none of the figures

    std::int64_t heldQty() const { return boughtQty + bonusQty - soldQty; }
};

using Holdings = std::vector<Holding>;

// The open positions of the records dated from `from` to `to` (-1: no upper bound),
// optionally only those whose code starts with the six characters of `codeFilter`, in
// the order each position first appears in the ledger. Closed positions are dropped.
Holdings computeHoldings(const Ledger& ledger, std::int32_t from, std::int32_t to,
                         std::optional<std::string_view> codeFilter = std::nullopt);

// Brings `holdings` (computeHoldings over all dates) up to date with `record` booked at the
// end of the ledger, as computing them again would: its figures added last to its position,
// the position dropped when it closes. False, with nothing changed, when the record's
// position is not listed (new, or closed before): then only computing them again tells
// where it goes.
bool addToHoldings(Holdings& holdings, const LedgerRecord& record);

// What one stock record adds to its position's figures over all dates.
void addToHolding(Holding& h, const LedgerRecord& record);

// Quantities only: the shares that may be sold on `onDate`. Buy, BonusShares and
// RightsIssue records count when dated strictly before it (shares acquired on the day are
// sellable the next day), Sell records when dated on or before it; and no position is
// more than the whole ledger leaves held, so a sale never takes a position below zero.
Holdings computeSellable(const Ledger& ledger, std::int32_t onDate);
// The same for one stock, from the indices of all of its records in the ledger (in ledger
// order): its position, or nothing when none of its shares may be sold.
Holdings computeSellable(const Ledger& ledger, std::span<const std::uint32_t> recordsOfOneStock,
                         std::int32_t onDate);

// A share count as the fee and break-even functions take it. A negative count (only in a
// file written elsewhere) counts by its size, never as an unsigned wrap-around of four
// billion shares; a count beyond what the fee functions take stops at their largest.
std::uint32_t shareCount(std::int64_t quantity);

// The most shares one position may hold: what one record can hold.
inline constexpr std::int64_t kMaxHeldQuantity = INT32_MAX;

// The price at which selling `quantity` shares brings back `cost` after the sale's own
// fee, by fixed-point iteration to within 0.001. Bounded: parameters whose rates add up
// to 1 or more have no such price, and the iteration then stops after a fixed number of
// rounds with its last estimate.
double breakEven(double cost, std::uint32_t quantity, const TradeParam& row);

// A position's break-even price: the price at which the shares it has owned (bought,
// subscribed and given) would bring back everything paid for them. The holdings list's
// 保本价 and the sale dialog's 保本价格 both show it.
double holdingBreakEven(const Holding& h, const TradeParam& row);

// Everything shown about one position, for its latest price and fee row.
struct HoldingFigures {
    std::int64_t heldQty = 0;
    double marketValue = 0;
    double averagePrice = 0;
    double floatingProfit = 0;
    double returnRate = 0;  // percentage
    double breakEvenPrice = 0;
    double realisedProfit = 0;
    double realisedRate = 0;  // fraction
    double currentProfit = 0;
    double currentRate = 0;  // fraction
};

HoldingFigures holdingFigures(const Holding& h, double latestPrice, const TradeParam& row);

}  // namespace fiscora

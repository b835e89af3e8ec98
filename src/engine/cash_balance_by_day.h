#pragma once

#include <cstdint>
#include <vector>

#include "engine/series_calendar.h"

namespace fiscora {

// What one record does to the cash balance: its date and its cashSign * amount.
struct CashMove {
    std::int32_t date;
    double amount;
};

// The cash balance on each day of `calendar`: the amounts of the moves dated from 0 up to
// that day, added from 0 in the order of `moves` (the ledger's), so that each figure is bit
// for bit cashBalanceBetween(ledger, 0, day). Moves dated before 0 or after today never
// count; moves dated from 0 to the start count from the first day on.
//
// One pass over the moves keeps one running sum per day that has moves, and adds a move to
// the sums of its own day and of every later day whose sum has begun. A day's sum begins at
// its first move with the sum of the closest earlier day that has begun, which holds
// exactly the moves this day counts so far. A ledger in date order thus costs one addition
// per move; one whose days interleave costs one per move and later day.
std::vector<double> cashBalanceByDay(const std::vector<CashMove>& moves,
                                     const SeriesCalendar& calendar);

}  // namespace fiscora

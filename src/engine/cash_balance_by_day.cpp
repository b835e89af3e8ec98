#include "engine/cash_balance_by_day.h"

#include <algorithm>

namespace fiscora {
namespace {

constexpr std::size_t kNotBegun = static_cast<std::size_t>(-1);

}  // namespace

std::vector<double> cashBalanceByDay(const std::vector<CashMove>& moves,
                                     const SeriesCalendar& calendar) {
    // The days whose sum has begun, in order, their sums side by side (so that a move is added
    // to a run of neighbours), and each day's place among them.
    std::vector<std::size_t> begunDays;
    std::vector<double> sums;
    std::vector<std::size_t> placeOf(calendar.size(), kNotBegun);
    for (const CashMove& move : moves) {
        if (move.date < 0 || move.date > calendar.today()) continue;
        const std::size_t day =
            move.date < calendar.start() ? 0 : calendar.firstDayCounting(move.date);
        if (day >= calendar.size()) continue;
        std::size_t place = placeOf[day];
        if (place == kNotBegun) {
            const auto at = std::lower_bound(begunDays.begin(), begunDays.end(), day);
            place = static_cast<std::size_t>(at - begunDays.begin());
            const double earlier = place == 0 ? 0.0 : sums[place - 1];
            begunDays.insert(at, day);
            sums.insert(sums.begin() + static_cast<std::ptrdiff_t>(place), earlier);
            for (std::size_t k = place; k < begunDays.size(); ++k) placeOf[begunDays[k]] = k;
        }
        for (std::size_t k = place; k < sums.size(); ++k) sums[k] += move.amount;
    }
    // A day without moves has the balance of the closest earlier day that has some.
    std::vector<double> balances(calendar.size(), 0.0);
    double balance = 0.0;
    for (std::size_t day = 0; day < balances.size(); ++day) {
        if (placeOf[day] != kNotBegun) balance = sums[placeOf[day]];
        balances[day] = balance;
    }
    return balances;
}

}  // namespace fiscora

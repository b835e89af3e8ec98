#include "engine/cash_balance_by_day.h"

#include <algorithm>

namespace fiscora {

std::vector<double> cashBalanceByDay(const std::vector<CashMove>& moves,
                                     const SeriesCalendar& calendar) {
    // The running sum of each day by its index, and the days whose sum has begun, in order.
    std::vector<double> sums(calendar.size(), 0.0);
    std::vector<char> begun(calendar.size(), 0);
    std::vector<std::size_t> begunDays;
    for (const CashMove& move : moves) {
        if (move.date < 0 || move.date > calendar.today()) continue;
        const std::size_t day =
            move.date < calendar.start() ? 0 : calendar.firstDayCounting(move.date);
        if (day >= calendar.size()) continue;
        if (!begun[day]) {
            const auto at = std::lower_bound(begunDays.begin(), begunDays.end(), day);
            sums[day] = at == begunDays.begin() ? 0.0 : sums[*std::prev(at)];
            begunDays.insert(at, day);
            begun[day] = 1;
        }
        for (std::size_t i = begunDays.size(); i-- > 0 && begunDays[i] >= day;)
            sums[begunDays[i]] += move.amount;
    }
    // A day without moves has the balance of the closest earlier day that has some.
    double balance = 0.0;
    for (std::size_t day = 0; day < sums.size(); ++day) {
        if (begun[day]) balance = sums[day];
        sums[day] = balance;
    }
    return sums;
}

}  // namespace fiscora

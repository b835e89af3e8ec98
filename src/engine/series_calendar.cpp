#include "engine/series_calendar.h"

#include <chrono>

#include "engine/dates.h"

namespace fiscora {
namespace {

using std::chrono::sys_days;

sys_days toDays(std::int32_t date) {
    const DateParts p = splitDate(date);
    return sys_days(std::chrono::year_month_day(std::chrono::year(p.year),
                                                std::chrono::month(static_cast<unsigned>(p.month)),
                                                std::chrono::day(static_cast<unsigned>(p.day))));
}

std::int32_t toDate(sys_days d) {
    const std::chrono::year_month_day ymd(d);
    return dateFromParts(static_cast<int>(ymd.year()), static_cast<int>(unsigned(ymd.month())),
                         static_cast<int>(unsigned(ymd.day())));
}

sys_days priceDay(sys_days d) {
    const std::chrono::weekday w(d);
    if (w == std::chrono::Saturday) return d - std::chrono::days(1);
    if (w == std::chrono::Sunday) return d - std::chrono::days(2);
    return d;
}

}  // namespace

SeriesCalendar::SeriesCalendar(std::int32_t start, std::int32_t today)
    : start_(start), today_(today) {
    const sys_days last = toDays(today);
    const auto count = (last - toDays(start)).count() + 1;
    days_.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    barDays_.reserve(days_.capacity());
    for (sys_days d = toDays(start); d <= last; d += std::chrono::days(1)) {
        days_.push_back(toDate(d));
        barDays_.push_back(toDate(priceDay(d)));
    }
    firstDayFrom_.resize(static_cast<std::size_t>(today - start) + 1);
    std::uint32_t next = 0;
    for (std::size_t k = 0; k < firstDayFrom_.size(); ++k) {
        const auto date = static_cast<std::int32_t>(start + static_cast<std::int32_t>(k));
        while (next < days_.size() && days_[next] < date) ++next;
        firstDayFrom_[k] = next;
    }
}

}  // namespace fiscora

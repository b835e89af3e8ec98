#include "engine/dates.h"

#include <chrono>

namespace fiscora {

std::int32_t dateFromParts(int year, int month, int day) {
    return year * 10000 + month * 100 + day;
}

std::int32_t dateFromTime(std::time_t t) {
    std::tm local{};
    ::localtime_r(&t, &local);
    return dateFromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::int32_t today() {
    return dateFromTime(std::time(nullptr));
}

DateParts splitDate(std::int32_t date) {
    return {date / 10000, (date % 10000) / 100, date % 100};
}

bool isCalendarDate(std::int32_t date) {
    const DateParts p = splitDate(date);
    if (p.year < 1900 || p.year > 9999 || p.month < 1 || p.day < 1) return false;
    using namespace std::chrono;
    return year_month_day(year(p.year), month(static_cast<unsigned>(p.month)),
                          day(static_cast<unsigned>(p.day)))
        .ok();
}

std::int32_t dayNumber(std::int32_t date) {
    const DateParts p = splitDate(date);
    using namespace std::chrono;
    const sys_days d = year_month_day(year(p.year), month(static_cast<unsigned>(p.month)),
                                      day(static_cast<unsigned>(p.day)));
    return static_cast<std::int32_t>(d.time_since_epoch().count());
}

std::int32_t dateOfDayNumber(std::int32_t days) {
    using namespace std::chrono;
    const year_month_day ymd{sys_days{std::chrono::days{days}}};
    return dateFromParts(static_cast<int>(ymd.year()), static_cast<int>(unsigned(ymd.month())),
                         static_cast<int>(unsigned(ymd.day())));
}

std::time_t timeFromDate(std::int32_t date) {
    DateParts p = splitDate(date);
    std::tm local{};
    local.tm_year = p.year - 1900;
    local.tm_mon = p.month - 1;
    local.tm_mday = p.day;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

TimeRange datePickerRange(std::time_t now) {
    return {now - kDatePickerReach, now + kDatePickerReach};
}

}  // namespace fiscora

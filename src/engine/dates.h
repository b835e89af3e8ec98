#pragma once

#include <cstdint>
#include <ctime>

namespace fiscora {

// Dates are int32 YYYYMMDD (year * 10000 + month * 100 + day) in records, the registry
// and every filter.

struct DateParts {
    int year;
    int month;  // 1-12
    int day;
};

std::int32_t dateFromParts(int year, int month, int day);
// The local calendar day of a time value.
std::int32_t dateFromTime(std::time_t t);
std::int32_t today();
DateParts splitDate(std::int32_t date);
// True for a real day of the calendar from the year 1900 on (not 20240230, not 0).
bool isCalendarDate(std::int32_t date);
// The days from 1970-01-01 to a calendar date, and the date that many days after it.
std::int32_t dayNumber(std::int32_t date);
std::int32_t dateOfDayNumber(std::int32_t days);

// 00:00:00 local time of that day, daylight saving left to the system.
std::time_t timeFromDate(std::int32_t date);

// Every date picker allows the current time plus or minus 10,000 days.
inline constexpr std::time_t kDatePickerReach = 864'000'000;

struct TimeRange {
    std::time_t earliest;
    std::time_t latest;
};
TimeRange datePickerRange(std::time_t now);

}  // namespace fiscora

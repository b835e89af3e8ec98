#include "engine/dates.h"

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

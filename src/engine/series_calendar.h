#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fiscora {

// The calendar days a capital series has a point for, from its start to today, each with
// the day whose bar it takes (Saturday and Sunday take Friday's), and the day from which a
// record of a given date counts.
class SeriesCalendar {
public:
    // From `start` to `today`, both YYYYMMDD; `start` is not after `today`.
    SeriesCalendar(std::int32_t start, std::int32_t today);

    std::int32_t start() const { return start_; }
    std::int32_t today() const { return today_; }
    std::size_t size() const { return days_.size(); }
    std::int32_t day(std::size_t i) const { return days_[i]; }
    std::int32_t barDay(std::size_t i) const { return barDays_[i]; }

    // The index of the first day whose YYYYMMDD is not below `date`: a record counts from
    // there on, so a date no calendar has (20240230) counts from the next real day. `date`
    // lies from the start to today.
    std::size_t firstDayCounting(std::int32_t date) const {
        return firstDayFrom_[static_cast<std::size_t>(date - start_)];
    }

private:
    std::int32_t start_;
    std::int32_t today_;
    std::vector<std::int32_t> days_;
    std::vector<std::int32_t> barDays_;
    // firstDayCounting(start + k) at k: one entry per number from the start to today, so
    // that a record's date is placed without a search.
    std::vector<std::uint32_t> firstDayFrom_;
};

}  // namespace fiscora

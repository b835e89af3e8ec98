#include "ui/common/date_picker.h"

#include "engine/dates.h"

namespace fiscora::ui {

void setPickerRange(DateField& picker, std::time_t now) {
    const TimeRange range = datePickerRange(now);
    picker.earliest = range.earliest;
    picker.latest = range.latest;
}

void startPickerAtNow(DateField& picker, std::time_t now) {
    setPickerRange(picker, now);
    picker.date = dateFromTime(now);
}

}  // namespace fiscora::ui

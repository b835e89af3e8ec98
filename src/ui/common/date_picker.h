#pragma once

#include <ctime>

#include "ui/common/dialog_fields.h"

namespace fiscora::ui {

// Every date picker allows now plus or minus 10,000 days and, unless it shows a stored
// date, starts at today.
void setPickerRange(DateField& picker, std::time_t now);
void startPickerAtNow(DateField& picker, std::time_t now);

}  // namespace fiscora::ui

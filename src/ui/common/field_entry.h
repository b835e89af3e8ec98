#pragma once

#include <map>
#include <optional>
#include <string>

#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// What is entered into one showing of a dialog without a window: texts by field name
// (a date as YYYYMMDD, a drop-down entry by its text).
using Entries = std::map<std::string, std::string>;

// An entry the dialog could not take (kept as texts: it outlives the dialog).
struct EntryRefusal {
    enum class Reason {
        NotListed,   // the drop-down has no such entry
        Fixed,       // the drop-down is disabled on another entry
        OutOfReach,  // the date picker does not reach the day
    };
    Reason reason;
    std::string field;  // its name
    std::string entry;
    std::string shown;  // what a fixed drop-down shows
};

// Enters `entries` as a user would, through the dialog's own entry points: field by field
// in tab order, the focus moved to each field that has an entry (leaving the one before
// it), then the text typed, the entry picked or the day chosen. A drop-down that already
// shows the entry is not picked again. Stops at the first entry the dialog cannot take.
std::optional<EntryRefusal> enterFields(DialogModel& dialog, const Entries& entries);

}  // namespace fiscora::ui

#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>

#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// What is entered into one showing of a dialog without a window: texts by field name
// (a date as YYYYMMDD, a drop-down entry by its text, a check box as "1" ticked).
using Entries = std::map<std::string, std::string>;

// An entry the dialog could not take (kept as texts: it outlives the dialog).
struct EntryRefusal {
    enum class Reason {
        NotListed,    // the drop-down has no such entry
        Fixed,        // the drop-down is disabled on another entry
        OutOfReach,   // the date picker does not reach the day
        Disabled,     // the box is disabled or a read-only figure
        TooLong,      // more characters, or GBK bytes, than the box takes (`limit`)
        NotDigits,    // the box takes nothing but the digits 0-9
        NotGbk,       // the box holds text for a file, and GBK cannot hold this
        NoSuchField,  // the dialog has no field of that name that takes the focus
    };
    Reason reason;
    std::string field;  // its name
    std::string entry;
    std::string shown;      // what a fixed drop-down shows
    std::size_t limit = 0;  // TooLong: the box's limit
    bool limitInBytes = false;
};

// Enters `entries` as a user would, through the dialog's own entry points: field by field
// in tab order, the focus moved to each field that has an entry (leaving the one before
// it), then the text typed, the entry picked or the day chosen. A drop-down that already
// shows the entry is not picked again. Stops at the first entry the dialog cannot take: a
// box takes exactly what its widget lets a user type (not when disabled or read-only, within
// its character and GBK byte limits, digits only where it says so, GBK text where it holds
// text for a file). An entry for a field the dialog does not have is refused before any.
std::optional<EntryRefusal> enterFields(DialogModel& dialog, const Entries& entries);

// enterFields, then Tab out of the field the focus ended in, as a user leaves a box before
// pressing the button: for dialogs whose boxes act when left (a code box sets the market).
std::optional<EntryRefusal> enterFieldsAndLeave(DialogModel& dialog, const Entries& entries);

}  // namespace fiscora::ui

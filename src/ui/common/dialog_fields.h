#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace fiscora::ui {

// The values a dialog's controls hold, as plain data. A dialog model owns its fields and
// its rules; a view mirrors the fields into widgets and writes user edits back, then
// fires the model's event. Texts are UTF-8.

struct Field {
    bool enabled = true;
};

// An edit box. Limits are those of the box: characters typed, and for text stored in a
// file, GBK bytes (0 = no limit).
struct TextField : Field {
    std::string text;
    std::size_t maxChars = 0;
    std::size_t maxGbkBytes = 0;
    bool masked = false;  // password entry
    bool multiLine = false;
    bool readOnly = false;
    bool digitsOnly = false;  // the box takes nothing but the digits 0-9
};

// A drop-down list; `selected` is -1 when nothing is chosen.
struct ChoiceField : Field {
    std::vector<std::string> items;
    int selected = -1;

    std::string selectedText() const {
        return selected >= 0 && static_cast<std::size_t>(selected) < items.size() ? items[selected]
                                                                                  : std::string();
    }
};

// A date picker: the chosen day as YYYYMMDD, and the range it allows.
struct DateField : Field {
    std::int32_t date = 0;
    std::time_t earliest = 0;
    std::time_t latest = 0;
};

// A static text the dialog fills.
struct LabelField : Field {
    std::string text;
};

}  // namespace fiscora::ui

#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "output/list_table.h"

namespace fiscora::ui {

// The values a dialog's controls hold, as plain data, with what a view needs to draw them:
// the field's name (how the command line and tests refer to it), its label (the caption
// beside it), its kind and its limits. A dialog model owns its fields and its rules; a view
// mirrors the fields into widgets and hands every user action to the model (DialogModel's
// typeText, pickItem, pickDate, focusChangedTo, onKey). Texts are UTF-8.

enum class FieldKind {
    Edit,      // a box the user types in
    Figure,    // a read-only box the dialog fills (a figure it computed)
    DropDown,  // a list of entries to pick one from
    Date,      // a date picker
    Text,      // a static text the dialog fills
    Check,     // a check box
    List,      // rows under a header (list_field.h)
};

struct Field {
    explicit Field(FieldKind fieldKind) : kind(fieldKind) {}
    FieldKind kind;
    std::string name;
    std::string label;  // empty: the field stands without a caption
    std::string note;   // shown right of the box: a unit, a hint
    bool enabled = true;
    // The dialog needs the user's own entry here: it refuses what the field opens with, or
    // would take what was chosen elsewhere (the command line requires the option).
    bool required = false;
};

// An edit box, or a read-only figure. Limits are those of the box: characters typed, and for
// text stored in a file, GBK bytes (0 = no limit).
struct TextField : Field {
    TextField() : Field(FieldKind::Edit) {}
    std::string text;
    std::size_t maxChars = 0;
    std::size_t maxGbkBytes = 0;
    bool masked = false;  // password entry
    bool multiLine = false;
    bool digitsOnly = false;          // the box takes nothing but the digits 0-9
    bool alignRight = false;          // a number box
    CellTone tone = CellTone::Plain;  // a figure's gain (red) or loss (green)
    bool readOnly() const { return kind == FieldKind::Figure; }
};

// A drop-down list; `selected` is -1 when nothing is chosen.
struct ChoiceField : Field {
    ChoiceField() : Field(FieldKind::DropDown) {}
    std::vector<std::string> items;
    int selected = -1;

    std::string selectedText() const {
        return selected >= 0 && static_cast<std::size_t>(selected) < items.size() ? items[selected]
                                                                                  : std::string();
    }
    // The entry that reads `text`, or -1.
    int indexOf(const std::string& text) const {
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i] == text) return static_cast<int>(i);
        }
        return -1;
    }
};

// A date picker: the chosen day as YYYYMMDD, and the range it allows.
struct DateField : Field {
    DateField() : Field(FieldKind::Date) {}
    std::int32_t date = 0;
    std::time_t earliest = 0;
    std::time_t latest = 0;
};

// A check box.
struct CheckField : Field {
    CheckField() : Field(FieldKind::Check) {}
    bool checked = false;
};

// A static text the dialog fills.
struct LabelField : Field {
    LabelField() : Field(FieldKind::Text) {}
    std::string text;
};

}  // namespace fiscora::ui

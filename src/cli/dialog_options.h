#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/terminal_messages.h"
#include "ui/common/dialog_model.h"

namespace fiscora::cli {

// The option that fills a field of a dialog the user enters: "--" + the field's name, needed
// when the dialog cannot confirm without it.
struct FieldOption {
    std::string name;
    // YYYYMMDD for a date, a drop-down's entries as alternatives (a|b), X for a number box,
    // else the field's name in capitals.
    std::string placeholder;
    std::string label;  // the field's caption without its colon
    std::string limit;  // what its box takes: "a number", "at most 6 digits", ...; or empty
    bool required = false;

    // The label and the limit as its help.
    CommandOption option() const;
};

// The fields the user enters in a dialog, in tab order: not the figures it fills, never a
// password, nor those named in `leftOut` (given otherwise, as an argument).
std::vector<FieldOption> fieldOptions(const ui::DialogModel& dialog,
                                      const std::vector<std::string>& leftOut = {});
// The same of the dialog `make(messages)` returns, made only to be read: what it would say
// goes nowhere.
template <typename Make>
std::vector<FieldOption> fieldOptionsOf(Make make, const std::vector<std::string>& leftOut = {}) {
    std::ostringstream unshown;
    TerminalMessages messages(unshown);
    return fieldOptions(make(messages), leftOut);
}
// Their options.
std::vector<CommandOption> commandOptions(const std::vector<FieldOption>& fields);

}  // namespace fiscora::cli

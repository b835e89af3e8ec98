#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "ui/common/field_entry.h"

namespace fiscora::cli {

// A YYYYMMDD that names a calendar day.
std::optional<std::int32_t> calendarDate(const std::string& text);

// What a stock code box takes: at most six digits (for the arguments and filters that name a
// stock without a dialog's box).
bool fitsCodeBox(const std::string& text);

// "A, B or C": the texts one of which an option takes.
std::string choiceText(const std::vector<std::string>& texts);
// "深圳 or 上海".
std::string marketChoices();

// What the options say beyond what a box checks: --date names a calendar day, --market one
// of the markets; the reason when one does not. Everything else a box takes or refuses
// itself (ui::enterFields).
std::string checkBoxEntries(const CommandContext& c);

// Why a dialog could not take an entry, as the user is told, naming the option by its field.
std::string refusalText(const ui::EntryRefusal& refusal, const std::string& account);
// A box that does not take what the option gives is bad usage (exit 2); an entry the data
// does not allow (a stock not held, a fixed market, a day out of reach) is refused (exit 1).
int refusalExitCode(const ui::EntryRefusal& refusal);

}  // namespace fiscora::cli

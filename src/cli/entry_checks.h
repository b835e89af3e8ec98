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

// What a stock code box takes: at most six digits.
bool fitsCodeBox(const std::string& text);

// "A, B or C": the texts one of which an option takes.
std::string choiceText(const std::vector<std::string>& texts);
// "深圳 or 上海".
std::string marketChoices();

// The checks of what the transaction dialogs' boxes take, for the options given (--date,
// --code, --market, --price, --quantity, --amount); the reason when one does not fit.
std::string checkBoxEntries(const CommandContext& c);

// Why a dialog could not take an entry, as the user is told.
std::string refusalText(const ui::EntryRefusal& refusal, const std::string& account);

}  // namespace fiscora::cli

#include "cli/entry_checks.h"

#include "cli/exit_codes.h"
#include "engine/dates.h"
#include "records/trading_terms.h"

namespace fiscora::cli {

std::optional<std::int32_t> calendarDate(const std::string& text) {
    if (text.size() != 8 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const std::int32_t date = std::stoi(text);
    if (dateFromTime(timeFromDate(date)) != date) return std::nullopt;
    return date;
}

bool fitsCodeBox(const std::string& text) {
    return text.size() <= 6 && text.find_first_not_of("0123456789") == std::string::npos;
}

std::string choiceText(const std::vector<std::string>& texts) {
    std::string s;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) s += i + 1 < texts.size() ? ", " : " or ";
        s += texts[i];
    }
    return s;
}

std::string marketChoices() {
    return choiceText(marketTexts());
}

std::string checkBoxEntries(const CommandContext& c) {
    if (const std::string* date = optionValue(c, "--date"); date && !calendarDate(*date))
        return "--date takes a day as YYYYMMDD";
    if (const std::string* market = optionValue(c, "--market");
        market && marketFromText(*market) < 0)
        return "--market takes " + marketChoices();
    return {};
}

std::string refusalText(const ui::EntryRefusal& refusal, const std::string& account) {
    const std::string option = "--" + refusal.field;
    using Reason = ui::EntryRefusal::Reason;
    switch (refusal.reason) {
    case Reason::OutOfReach: return option + " lies beyond the 10,000 days the date picker reaches";
    case Reason::Fixed: return "the " + refusal.field + " is fixed to " + refusal.shown + " here";
    case Reason::Disabled: return option + " cannot change here: its box is disabled";
    case Reason::TooLong:
        return option + " takes at most " + std::to_string(refusal.limit) +
               (refusal.limitInBytes ? " GBK bytes" : " characters");
    case Reason::NotDigits: return option + " takes digits only";
    case Reason::NotGbk: return option + " takes only text that GBK can hold";
    case Reason::NoSuchField: return option + " does not apply here";
    case Reason::NotListed: break;
    }
    return account + " holds no " + refusal.entry;
}

int refusalExitCode(const ui::EntryRefusal& refusal) {
    using Reason = ui::EntryRefusal::Reason;
    switch (refusal.reason) {
    case Reason::Disabled:
    case Reason::TooLong:
    case Reason::NotDigits:
    case Reason::NotGbk:
    case Reason::NoSuchField: return kExitUsage;
    case Reason::NotListed:
    case Reason::Fixed:
    case Reason::OutOfReach: break;
    }
    return kExitRefused;
}

}  // namespace fiscora::cli

#include "cli/entry_checks.h"

#include "engine/dates.h"
#include "records/trading_terms.h"
#include "ui/common/dialog_model.h"

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
    if (const std::string* code = optionValue(c, "--code"); code && !fitsCodeBox(*code))
        return "--code takes at most six digits";
    if (const std::string* market = optionValue(c, "--market");
        market && marketFromText(*market) < 0)
        return "--market takes " + marketChoices();
    for (const char* number : {"--price", "--quantity", "--amount", "--rate", "--per", "--grant"}) {
        if (const std::string* text = optionValue(c, number);
            text && text->size() > ui::kNumberBoxChars)
            return "number boxes take at most 19 characters";
    }
    return {};
}

std::string refusalText(const ui::EntryRefusal& refusal, const std::string& account) {
    switch (refusal.reason) {
    case ui::EntryRefusal::Reason::OutOfReach:
        return "--date lies beyond the 10,000 days the date picker reaches";
    case ui::EntryRefusal::Reason::Fixed:
        return "the " + refusal.field + " is fixed to " + refusal.shown + " here";
    case ui::EntryRefusal::Reason::NotListed: break;
    }
    return account + " holds no " + refusal.entry;
}

}  // namespace fiscora::cli

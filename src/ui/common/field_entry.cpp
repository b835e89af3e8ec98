#include "ui/common/field_entry.h"

#include "engine/dates.h"

namespace fiscora::ui {
namespace {

std::optional<EntryRefusal::Reason> pick(DialogModel& dialog, ChoiceField& list,
                                         const std::string& entry) {
    if (list.selectedText() == entry) return std::nullopt;
    if (!list.enabled) return EntryRefusal::Reason::Fixed;
    const int index = list.indexOf(entry);
    if (index < 0) return EntryRefusal::Reason::NotListed;
    dialog.pickItem(list, index);
    return std::nullopt;
}

std::optional<EntryRefusal::Reason> choose(DialogModel& dialog, DateField& picker,
                                           const std::string& entry) {
    if (entry.size() != 8 || entry.find_first_not_of("0123456789") != std::string::npos)
        return EntryRefusal::Reason::OutOfReach;
    const std::int32_t day = std::stoi(entry);
    if (day < dateFromTime(picker.earliest) || day > dateFromTime(picker.latest))
        return EntryRefusal::Reason::OutOfReach;
    dialog.pickDate(picker, day);
    return std::nullopt;
}

}  // namespace

std::optional<EntryRefusal> enterFields(DialogModel& dialog, const Entries& entries) {
    for (Field* field : dialog.tabOrder()) {
        const auto given = entries.find(field->name);
        if (given == entries.end()) continue;
        const std::string& entry = given->second;
        // Moving to the field leaves the one before it, whose leave handler may change
        // this one (a code decides the market).
        dialog.focusChangedTo(field);
        std::optional<EntryRefusal::Reason> refused;
        switch (field->kind) {
        case FieldKind::DropDown:
            refused = pick(dialog, static_cast<ChoiceField&>(*field), entry);
            break;
        case FieldKind::Date:
            refused = choose(dialog, static_cast<DateField&>(*field), entry);
            break;
        case FieldKind::Edit:
        case FieldKind::Figure: dialog.typeText(static_cast<TextField&>(*field), entry); break;
        case FieldKind::Text: break;
        }
        if (refused) {
            const std::string shown = field->kind == FieldKind::DropDown
                                          ? static_cast<ChoiceField&>(*field).selectedText()
                                          : std::string();
            return EntryRefusal{*refused, field->name, entry, shown};
        }
    }
    return std::nullopt;
}

}  // namespace fiscora::ui

#include "ui/common/field_entry.h"

#include <algorithm>

#include "engine/dates.h"
#include "records/gbk_text.h"

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

// Characters as a box counts them: UTF-8 sequences, not bytes.
std::size_t characters(const std::string& utf8) {
    std::size_t count = 0;
    for (const char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

// What the box's widget would refuse of `entry`, if anything.
std::optional<EntryRefusal> refusedByBox(const TextField& box, const std::string& entry) {
    const auto refusal = [&](EntryRefusal::Reason reason) {
        return EntryRefusal{reason, box.name, entry, {}};
    };
    if (!box.enabled || box.readOnly()) return refusal(EntryRefusal::Reason::Disabled);
    if (box.digitsOnly && entry.find_first_not_of("0123456789") != std::string::npos)
        return refusal(EntryRefusal::Reason::NotDigits);
    if (box.maxChars > 0 && characters(entry) > box.maxChars) {
        EntryRefusal tooLong = refusal(EntryRefusal::Reason::TooLong);
        tooLong.limit = box.maxChars;
        return tooLong;
    }
    if (box.maxGbkBytes > 0) {
        const auto gbk = utf8ToGbk(entry);
        if (!gbk) return refusal(EntryRefusal::Reason::NotGbk);
        if (gbk->size() > box.maxGbkBytes) {
            EntryRefusal tooLong = refusal(EntryRefusal::Reason::TooLong);
            tooLong.limit = box.maxGbkBytes;
            tooLong.limitInBytes = true;
            return tooLong;
        }
    }
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
    const std::vector<Field*>& order = dialog.tabOrder();
    for (const auto& given : entries) {
        const std::string& name = given.first;
        if (std::none_of(order.begin(), order.end(),
                         [&name](const Field* f) { return f->name == name; }))
            return EntryRefusal{EntryRefusal::Reason::NoSuchField, name, given.second, {}};
    }
    for (Field* field : order) {
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
        case FieldKind::Figure: {
            auto& box = static_cast<TextField&>(*field);
            if (auto refusal = refusedByBox(box, entry)) return refusal;
            dialog.typeText(box, entry);
            break;
        }
        case FieldKind::Check:
            dialog.setChecked(static_cast<CheckField&>(*field), entry == "1");
            break;
        case FieldKind::Text:
        case FieldKind::List: break;
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

std::optional<EntryRefusal> enterFieldsAndLeave(DialogModel& dialog, const Entries& entries) {
    if (auto refused = enterFields(dialog, entries)) return refused;
    const std::vector<Field*>& order = dialog.tabOrder();
    const auto at = std::find(order.begin(), order.end(), dialog.focused());
    if (at == order.end()) return std::nullopt;
    const auto next =
        std::find_if(std::next(at), order.end(), [](const Field* f) { return f->enabled; });
    dialog.focusChangedTo(next != order.end() ? *next : nullptr);
    return std::nullopt;
}

}  // namespace fiscora::ui

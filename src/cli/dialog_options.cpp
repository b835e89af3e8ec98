#include "cli/dialog_options.h"

#include <algorithm>
#include <cctype>

namespace fiscora::cli {
namespace {

std::string placeholder(const ui::Field& field) {
    if (field.kind == ui::FieldKind::Date) return "YYYYMMDD";
    std::string alternatives;
    if (field.kind == ui::FieldKind::DropDown) {
        for (const std::string& item : static_cast<const ui::ChoiceField&>(field).items)
            alternatives += (alternatives.empty() ? "" : "|") + item;
    }
    if (!alternatives.empty()) return alternatives;
    if (field.kind == ui::FieldKind::Edit && static_cast<const ui::TextField&>(field).alignRight)
        return "X";
    std::string name = field.name;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    return name;
}

std::string caption(const ui::Field& field) {
    std::string label = field.label;
    std::erase(label, ' ');  // the spaces that align captions in the dialog
    for (const std::string colon : {"：", ":"}) {
        if (label.ends_with(colon)) label.resize(label.size() - colon.size());
    }
    return label;
}

std::string limit(const ui::Field& field) {
    if (field.kind != ui::FieldKind::Edit) return {};
    const auto& box = static_cast<const ui::TextField&>(field);
    if (box.alignRight) return "a number";
    if (box.maxGbkBytes > 0) return "at most " + std::to_string(box.maxGbkBytes) + " GBK bytes";
    if (box.maxChars > 0)
        return "at most " + std::to_string(box.maxChars) +
               (box.digitsOnly ? " digits" : " characters");
    return {};
}

bool isPassword(const ui::Field& field) {
    return field.kind == ui::FieldKind::Edit && static_cast<const ui::TextField&>(field).masked;
}

}  // namespace

CommandOption FieldOption::option() const {
    return {.name = name,
            .value = placeholder,
            .help = label + (label.empty() || limit.empty() ? "" : ", ") + limit,
            .required = required};
}

std::vector<FieldOption> fieldOptions(const ui::DialogModel& dialog,
                                      const std::vector<std::string>& leftOut) {
    std::vector<FieldOption> options;
    for (const ui::Field* field : dialog.tabOrder()) {
        if (field->kind == ui::FieldKind::Figure || isPassword(*field) ||
            std::find(leftOut.begin(), leftOut.end(), field->name) != leftOut.end())
            continue;
        options.push_back({.name = "--" + field->name,
                           .placeholder = placeholder(*field),
                           .label = caption(*field),
                           .limit = limit(*field),
                           .required = field->required});
    }
    return options;
}

std::vector<CommandOption> commandOptions(const std::vector<FieldOption>& fields) {
    std::vector<CommandOption> options;
    for (const FieldOption& field : fields) options.push_back(field.option());
    return options;
}

}  // namespace fiscora::cli

#include "ui/common/dialog_model.h"

#include <algorithm>
#include <utility>

#include "records/gbk_text.h"
#include "ui/common/list_field.h"
#include "ui/common/number_text.h"

namespace fiscora::ui {

void DialogModel::OnInitDialog() {
    if (refused_ != nullptr) {
        focusOn(*std::exchange(refused_, nullptr));
        return;
    }
    const int first = neighbour(-1, +1);
    if (first >= 0) moveFocus(first, false);
}

KeyOutcome DialogModel::onKey(NavKey key) {
    if (key == NavKey::Enter && enterHandled()) return KeyOutcome::Handled;
    if (!keyNavigation_ || focus_ < 0) return KeyOutcome::NotHandled;
    if (key == NavKey::Up) {
        moveFocus(neighbour(focus_, -1), true);
        return KeyOutcome::Moved;
    }
    const bool confirms =
        confirmField_ != nullptr ? tabOrder_[focus_] == confirmField_ : isLastEnabled(focus_);
    if (confirms) return KeyOutcome::ConfirmRequested;
    moveFocus(neighbour(focus_, +1), true);
    return KeyOutcome::Moved;
}

void DialogModel::focusChangedTo(const Field* field) {
    const int index = indexOf(field);
    if (index == focus_) return;
    const int from = focus_;
    focus_ = index;
    selectAll_ = false;
    if (from >= 0) OnFocusMoved(*tabOrder_[from], focused());
}

void DialogModel::typeText(TextField& box, std::string text) {
    box.text = std::move(text);
    changed(box);
}

void DialogModel::pickItem(ChoiceField& list, int index) {
    list.selected = index;
    changed(list);
}

void DialogModel::pickDate(DateField& picker, std::int32_t date) {
    picker.date = date;
    changed(picker);
}

void DialogModel::setChecked(CheckField& box, bool checked) {
    box.checked = checked;
    changed(box);
}

void DialogModel::pickRow(ListField& list, int row) {
    list.selected = row;
    changed(list);
}

void DialogModel::activateRow(ListField& list, int row) {
    if (row < 0) return;
    pickRow(list, row);
    if (list.activate) list.activate();
}

bool DialogModel::rightClickRow(ListField& list, int row) {
    if (row < 0) return false;
    pickRow(list, row);
    return list.contextMenu;
}

bool DialogModel::enterHandled() {
    const Field* field = focused();
    if (field == nullptr) return false;
    for (const DialogAction& action : actions_) {
        if (std::find(action.enterIn.begin(), action.enterIn.end(), field) == action.enterIn.end())
            continue;
        if (action.mayRun()) action.run();
        return true;
    }
    if (field->kind != FieldKind::List) return false;
    const auto& list = static_cast<const ListField&>(*field);
    if (!list.activate || list.selected < 0) return false;
    list.activate();
    return true;
}

bool DialogModel::runAction(std::string_view caption) {
    for (const DialogAction& action : actions_) {
        if (action.caption != caption) continue;
        if (!action.mayRun()) return false;
        action.run();
        return true;
    }
    return false;
}

bool DialogModel::pressKey(std::string_view key) {
    for (const DialogAction& action : actions_) {
        if (std::find(action.keys.begin(), action.keys.end(), key) == action.keys.end()) continue;
        if (action.mayRun()) action.run();
        return true;
    }
    return false;
}

void DialogModel::changed(const Field& field) {
    const auto handler = changeHandlers_.find(&field);
    if (handler != changeHandlers_.end()) handler->second();
}

void DialogModel::OnFocusMoved(const Field& from, const Field* to) {
    const auto handler = leaveHandlers_.find(&from);
    if (handler != leaveHandlers_.end()) handler->second(to);
}

void DialogModel::focusOn(const Field& field, bool selectAll) {
    const int index = indexOf(&field);
    if (index >= 0) moveFocus(index, selectAll);
}

void DialogModel::moveFocus(int index, bool selectAll) {
    const int from = focus_;
    focus_ = index;
    selectAll_ = selectAll;
    ++focusRequest_;
    if (from >= 0 && from != index) OnFocusMoved(*tabOrder_[from], focused());
}

int DialogModel::indexOf(const Field* field) const {
    for (std::size_t i = 0; i < tabOrder_.size(); ++i) {
        if (tabOrder_[i] == field) return static_cast<int>(i);
    }
    return -1;
}

int DialogModel::neighbour(int from, int step) const {
    const int n = static_cast<int>(tabOrder_.size());
    if (n == 0) return -1;
    int i = from;
    for (int tries = 0; tries < n; ++tries) {
        i = ((i + step) % n + n) % n;
        if (tabOrder_[i]->enabled) return i;
    }
    return from;
}

bool DialogModel::isLastEnabled(int index) const {
    for (std::size_t i = index + 1; i < tabOrder_.size(); ++i) {
        if (tabOrder_[i]->enabled) return false;
    }
    return true;
}

std::optional<std::int32_t> DialogModel::readInt(TextField& box) {
    auto value = parseInt32(box.text);
    if (!value) {
        messages_.plain(kEnterIntegerPrompt);
        focusOn(box);
    }
    return value;
}

std::optional<std::uint32_t> DialogModel::readUnsigned(TextField& box) {
    auto value = parseUInt32(box.text);
    if (!value) {
        messages_.plain(kEnterIntegerPrompt);
        focusOn(box);
    }
    return value;
}

std::optional<double> DialogModel::readNumber(TextField& box) {
    auto value = parseDouble(box.text);
    if (!value) {
        messages_.plain(kEnterNumberPrompt);
        focusOn(box);
    }
    return value;
}

bool DialogModel::checkStorable(TextField& box, std::string_view label) {
    const auto bytes = gbkLength(box.text);
    TextFit fit = TextFit::Ok;
    if (!bytes) {
        fit = TextFit::NotGbk;
    } else if (box.maxGbkBytes != 0 && *bytes > box.maxGbkBytes) {
        fit = TextFit::TooLong;
    }
    if (fit == TextFit::Ok) return true;
    messages_.error(textFitMessage(fit, label, box.maxGbkBytes));
    focusOn(box);
    return false;
}

}  // namespace fiscora::ui

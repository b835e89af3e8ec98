#pragma once

#include <functional>
#include <vector>

#include "ui/common/dialog_fields.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace fiscora::qt {

// Ties a dialog's widgets to its model's fields. A user edit writes the field, fires the
// model's event (if any) and then refreshes every bound widget from the model, so the
// widgets always show what the model holds. Refreshing never fires an event.
class Bindings {
public:
    using Event = std::function<void()>;

    // Line edit: text, character and GBK byte limits, masked echo, read-only.
    void bind(QLineEdit* edit, ui::TextField& field, Event edited = {});
    void bind(QPlainTextEdit* edit, ui::TextField& field, Event edited = {});
    void bind(QComboBox* box, ui::ChoiceField& field, Event changed = {});
    void bind(QDateEdit* edit, ui::DateField& field, Event changed = {});
    void bind(QLabel* label, ui::LabelField& field);

    // Model -> widgets, for every binding.
    void refresh();

private:
    void add(std::function<void()> refresher);
    Event afterEdit(Event event);

    std::vector<std::function<void()>> refreshers_;
};

}  // namespace fiscora::qt

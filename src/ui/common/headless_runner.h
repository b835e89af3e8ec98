#pragma once

#include <functional>
#include <set>
#include <typeindex>

#include "ui/common/dialog_runner.h"

namespace fiscora::ui {

// Runs dialogs without a window: the first time a kind of dialog is shown it is opened,
// filled by `fill` and confirmed once; a refusal of the confirmation counts as cancelled.
// Any later showing of the same kind (a command that shows its dialog again after a
// conflict) is cancelled, so every refusal ends the command with its message. A command
// may still show several kinds in turn (a password prompt, then a transaction).
class HeadlessRunner : public DialogRunner {
public:
    // Fills the dialog's fields; false cancels it.
    using Fill = std::function<bool(DialogModel&)>;

    explicit HeadlessRunner(Fill fill) : fill_(std::move(fill)) {}

    bool run(DialogModel& dialog) override;

    // Whether the last dialog shown was confirmed.
    bool confirmed() const { return confirmed_; }

private:
    Fill fill_;
    std::set<std::type_index> shown_;
    bool confirmed_ = false;
};

}  // namespace fiscora::ui

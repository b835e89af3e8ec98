#pragma once

#include <functional>

#include "ui/common/dialog_runner.h"

namespace fiscora::ui {

// Runs dialogs without a window: the first time a dialog is shown it is opened, filled by
// `fill` and confirmed once; a refusal of the confirmation counts as cancelled. Any
// later showing (a command that shows its dialog again after a conflict) is cancelled,
// so every refusal ends the command with its message.
class HeadlessRunner : public DialogRunner {
public:
    // Fills the dialog's fields; false cancels it.
    using Fill = std::function<bool(DialogModel&)>;

    explicit HeadlessRunner(Fill fill) : fill_(std::move(fill)) {}

    bool run(DialogModel& dialog) override;

    // Whether a dialog was shown and confirmed.
    bool confirmed() const { return confirmed_; }

private:
    Fill fill_;
    bool used_ = false;
    bool confirmed_ = false;
};

}  // namespace fiscora::ui

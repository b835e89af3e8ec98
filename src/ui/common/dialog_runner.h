#pragma once

#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// Shows a dialog model modally. The window's runner picks the view that belongs to the
// model's type, calls OnInitDialog when it opens and closes it when OnConfirm accepts
// or the user cancels. Commands never show a dialog any other way, so tests and the
// command line drive them with runners of their own.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // True when the dialog closed confirmed.
    virtual bool run(DialogModel& dialog) = 0;
};

}  // namespace fiscora::ui

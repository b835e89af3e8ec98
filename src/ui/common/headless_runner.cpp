#include "ui/common/headless_runner.h"

namespace fiscora::ui {

bool HeadlessRunner::run(DialogModel& dialog) {
    if (used_) {
        confirmed_ = false;
        return false;
    }
    used_ = true;
    dialog.OnInitDialog();
    confirmed_ = fill_(dialog) && dialog.OnConfirm();
    return confirmed_;
}

}  // namespace fiscora::ui

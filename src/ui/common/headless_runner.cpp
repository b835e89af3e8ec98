#include "ui/common/headless_runner.h"

namespace fiscora::ui {

bool HeadlessRunner::run(DialogModel& dialog) {
    if (!shown_.insert(typeid(dialog)).second) {
        confirmed_ = false;
        return false;
    }
    dialog.OnInitDialog();
    confirmed_ = fill_(dialog) && dialog.OnConfirm();
    return confirmed_;
}

}  // namespace fiscora::ui

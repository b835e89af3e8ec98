#include "ui/common/headless_runner.h"

namespace fiscora::ui {

bool HeadlessRunner::run(DialogModel& dialog) {
    confirmed_ = false;
    refusal_.reset();
    if (pending_.empty()) return false;
    const Entries entries = std::move(pending_.front());
    pending_.pop_front();
    dialog.OnInitDialog();
    refusal_ = fillers_.run(dialog, entries);
    confirmed_ = !refusal_ && dialog.OnConfirm();
    return confirmed_;
}

}  // namespace fiscora::ui

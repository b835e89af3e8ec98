#include "qt/main/qt_dialog_runner.h"

#include "qt/main/dialog_views.h"

namespace fiscora::qt {

bool QtDialogRunner::run(ui::DialogModel& dialog) {
    return dialogViews().run(dialog, owner_);
}

}  // namespace fiscora::qt

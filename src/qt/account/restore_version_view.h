#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/account/restore_version_dialog.h"

namespace fiscora::qt {

// 恢复…: the versions' list, the 版本 box under it, 恢复 and 关闭 below.
class RestoreVersionView : public DialogView {
public:
    RestoreVersionView(ui::RestoreVersionDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt

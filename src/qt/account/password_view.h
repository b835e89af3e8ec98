#pragma once

#include "qt/widgets/dialog_view.h"
#include "ui/account/password_dialog.h"

namespace fiscora::qt {

// 请输入帐户…的密码: one masked box, 登录 and 取消.
class PasswordView : public DialogView {
public:
    PasswordView(ui::PasswordDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt

#pragma once

#include <string>

#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// "请输入帐户%s的密码": the password of one account. It keeps the last text entered for
// as long as it lives, so a rejected entry is still there when it is shown again. Enter
// presses the default button, as in any plain dialog.
class PasswordDialog : public DialogModel {
public:
    PasswordDialog(Messages& messages, const std::string& accountName);

    TextField password;
};

}  // namespace fiscora::ui

#pragma once

#include <string>

#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// "修改密码": the old password, then the new one twice.
class ChangePasswordDialog : public DialogModel {
public:
    ChangePasswordDialog(Messages& messages, const std::string& accountName);

    // Checks in order: a new password; the same new password twice; storable texts. The
    // old password is compared by the command, which knows the account.
    bool OnConfirm() override;

    TextField oldPassword;
    TextField newPassword;
    TextField confirmation;
};

}  // namespace fiscora::ui

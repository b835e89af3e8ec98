#pragma once

#include <string>

#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// "修改密码": the old password, then the new one twice, and the switch of 加强保护 with
// what it means under it. Opens with the switch as the account has it.
class ChangePasswordDialog : public DialogModel {
public:
    ChangePasswordDialog(Messages& messages, const std::string& accountName, bool isProtected);

    // Checks in order: a new password; the same new password twice; storable texts. The
    // old password is compared by the command, which knows the account.
    bool OnConfirm() override;

    TextField oldPassword;
    TextField newPassword;
    TextField confirmation;
    CheckField protection;
    LabelField warning;

private:
    void showWarning();
};

}  // namespace fiscora::ui

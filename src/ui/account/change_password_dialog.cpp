#include "ui/account/change_password_dialog.h"

#include "records/account_info.h"

namespace fiscora::ui {

ChangePasswordDialog::ChangePasswordDialog(Messages& messages, const std::string& accountName)
    : DialogModel(messages) {
    setCaption("修改密码 -[" + accountName + "]");
    declare(oldPassword, "old-password", "旧密码");
    declare(newPassword, "new-password", "新密码");
    declare(confirmation, "confirmation", "新密码确认");
    for (TextField* box : {&oldPassword, &newPassword, &confirmation}) {
        box->maxGbkBytes = kPasswordMaxBytes;
        box->masked = true;
    }
    setTabOrder({&oldPassword, &newPassword, &confirmation});
}

bool ChangePasswordDialog::OnConfirm() {
    if (newPassword.text.empty()) {
        messages().error("新密码不能为空!请重新输入密码.");
        focusOn(newPassword);
        return false;
    }
    if (newPassword.text != confirmation.text) {
        messages().error("两次输入的密码不一样!请重新输入密码.");
        focusOn(newPassword);
        return false;
    }
    return checkStorable(newPassword, newPassword.label);
}

}  // namespace fiscora::ui

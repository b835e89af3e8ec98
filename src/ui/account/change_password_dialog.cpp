#include "ui/account/change_password_dialog.h"

#include "records/account_info.h"

namespace fiscora::ui {

namespace {

constexpr const char* kProtectedWarning = "加强保护：帐户资料用密码加密。原Windows程序不能再打开此"
                                          "帐户；忘记密码，资料无法找回。帐户名称仍可看到。";
constexpr const char* kPlainWarning =
    "未加强保护：帐户资料用所有安装共用的密钥加密，得到文件的人都能读取。";

}  // namespace

ChangePasswordDialog::ChangePasswordDialog(Messages& messages, const std::string& accountName,
                                           bool isProtected)
    : DialogModel(messages) {
    setCaption("修改密码 -[" + accountName + "]");
    declare(oldPassword, "old-password", "旧密码");
    declare(newPassword, "new-password", "新密码");
    declare(confirmation, "confirmation", "新密码确认");
    for (TextField* box : {&oldPassword, &newPassword, &confirmation}) {
        box->maxGbkBytes = kPasswordMaxBytes;
        box->masked = true;
    }
    declare(protection, "protection", "加强保护");
    declare(warning, "warning", "");
    protection.checked = isProtected;
    setTabOrder({&oldPassword, &newPassword, &confirmation, &protection});
    onChange(protection, [this] { showWarning(); });
    showWarning();
}

void ChangePasswordDialog::showWarning() {
    warning.text = protection.checked ? kProtectedWarning : kPlainWarning;
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

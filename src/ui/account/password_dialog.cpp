#include "ui/account/password_dialog.h"

#include "records/account_info.h"

namespace fiscora::ui {

PasswordDialog::PasswordDialog(Messages& messages, const std::string& accountName)
    : DialogModel(messages) {
    setCaption("请输入帐户" + accountName + "的密码");
    setKeyNavigation(false);
    password.masked = true;
    password.maxGbkBytes = kPasswordMaxBytes;
    setTabOrder({&password});
}

}  // namespace fiscora::ui

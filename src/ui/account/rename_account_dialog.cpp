#include "ui/account/rename_account_dialog.h"

#include "records/account_info.h"

namespace fiscora::ui {

RenameAccountDialog::RenameAccountDialog(Messages& messages, const std::string& currentName)
    : DialogModel(messages) {
    setCaption("修改帐号 -[" + currentName + "]");
    declare(oldName, "old-name", "老用户名");
    declare(newName, "new-name", "新用户名");
    declare(password, "password", "用户密码");
    oldName.kind = FieldKind::Figure;
    oldName.text = currentName;
    newName.maxGbkBytes = kAccountNameMaxBytes;
    password.maxGbkBytes = kPasswordMaxBytes;
    password.masked = true;
    setTabOrder({&newName, &password});
}

bool RenameAccountDialog::OnConfirm() {
    if (newName.text.empty()) {
        messages().error("新用户名不能为空!");
        focusOn(newName);
        return false;
    }
    return checkStorable(newName, newName.label) && checkStorable(password, password.label);
}

}  // namespace fiscora::ui

#pragma once

#include "qt/widgets/form_dialog_view.h"
#include "ui/account/account_properties_dialog.h"
#include "ui/account/change_password_dialog.h"
#include "ui/account/rename_account_dialog.h"

namespace fiscora::qt {

// 修改帐号: the old name read-only, the new name and the password.
class RenameAccountView : public FormDialogView {
public:
    RenameAccountView(ui::RenameAccountDialog& model, QWidget* parent);
};

// 修改密码: the old password and the new one twice.
class ChangePasswordView : public FormDialogView {
public:
    ChangePasswordView(ui::ChangePasswordDialog& model, QWidget* parent);
};

// 帐户属性: twelve labelled figures and 确定.
class AccountPropertiesView : public FormDialogView {
public:
    AccountPropertiesView(ui::AccountPropertiesDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt

#pragma once

#include "qt/widgets/form_dialog_view.h"
#include "ui/account/new_account_dialog.h"

namespace fiscora::qt {

// 新建帐户: name, password twice, initial capital, trade type and remark.
class NewAccountView : public FormDialogView {
public:
    NewAccountView(ui::NewAccountDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt

#pragma once

#include <string>

#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// "修改帐号": a new name for an account, with its password. The old name stands read-only.
class RenameAccountDialog : public DialogModel {
public:
    RenameAccountDialog(Messages& messages, const std::string& currentName);

    // A new name is required; both texts must be storable in their fields.
    bool OnConfirm() override;

    TextField oldName;
    TextField newName;
    TextField password;
};

}  // namespace fiscora::ui

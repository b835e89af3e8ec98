#pragma once

#include <array>

#include "engine/account_summary.h"
#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// "帐户属性": an account's twelve figures, read-only, and 确定.
class AccountPropertiesDialog : public DialogModel {
public:
    AccountPropertiesDialog(Messages& messages, const AccountSummary& summary);

    // Top to bottom: 帐户名称 … 现赢利率, each label with its formatted value.
    std::array<LabelField, 12> figures;
};

}  // namespace fiscora::ui

#pragma once

#include "qt/widgets/form_dialog_view.h"
#include "ui/account/program_settings_dialog.h"

namespace fiscora::qt {

// 设置: the data folder in use, the home folder and the quote file, 恢复默认 beside 确定.
class ProgramSettingsView : public FormDialogView {
public:
    ProgramSettingsView(ui::ProgramSettingsDialog& model, QWidget* parent);
};

}  // namespace fiscora::qt

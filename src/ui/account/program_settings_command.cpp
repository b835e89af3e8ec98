#include "ui/account/program_settings_command.h"

#include "store/home_folder.h"
#include "ui/account/program_settings_dialog.h"

namespace fiscora::ui {

void OnProgramSettings(CommandContext& window) {
    Messages& messages = window.messages();
    const auto path = settingsFilePathOfProcess();
    if (!path) {
        messages.error("找不到保存设置的文件夹：没有设置环境变量HOME。");
        return;
    }
    const ProgramSettings before = loadProgramSettings(*path);
    ProgramSettingsDialog dialog(messages, before, window.workspace().dataDirectory());
    if (!window.dialogs().run(dialog)) return;
    const ProgramSettings after = dialog.settings();
    if (after == before) return;
    if (const FileError error = saveProgramSettings(*path, after); error != FileError::None) {
        messages.error("不能保存设置文件" + *path + "!" + failureReason(error));
        return;
    }
    if (after.quoteFile != before.quoteFile) window.refreshHoldingList();
    if (after.homeFolder != before.homeFolder)
        messages.plain("新的主文件夹在下次启动Fiscora时使用。");
}

}  // namespace fiscora::ui

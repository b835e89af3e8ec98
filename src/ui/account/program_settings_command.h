#pragma once

#include "ui/common/command_context.h"

namespace fiscora::ui {

// 设置: the dialog on the settings file ($XDG_CONFIG_HOME/fiscora/settings), written when
// confirmed with a change. A new home folder is used from the next start of the program; a
// new quote file at once (the prices are refreshed).
void OnProgramSettings(CommandContext& window);

}  // namespace fiscora::ui

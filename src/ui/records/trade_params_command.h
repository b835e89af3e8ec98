#pragma once

#include "ui/common/command_context.h"

namespace fiscora::ui {

// 参数设置: the fee table editor; no account needs to be selected. Its changes are in the
// workspace's table when it closes.
void OnTradeParams(CommandContext& window);

}  // namespace fiscora::ui

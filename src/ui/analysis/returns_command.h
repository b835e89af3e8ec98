#pragma once

#include "ui/common/command_context.h"

namespace fiscora::ui {

// 收益分析 (menu 分析): the account guard, then the returns of the logged-in account at the
// host's bar files. Nothing is written.
void OnReturnsAnalysis(CommandContext& window);

}  // namespace fiscora::ui

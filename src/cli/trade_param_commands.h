#pragma once

#include "cli/command.h"

namespace fiscora::cli {

// The fee table: listed, or changed through the window's 参数设置 (params add, params edit
// NAME, params delete NAME).
Command paramsCommand();

}  // namespace fiscora::cli

#pragma once

#include "cli/command.h"

namespace fiscora::cli {

// delete-stock ACCOUNT --code C --market M [--yes]: every record of one held stock removed
// through the window's own 删除记录.
Command deleteStockCommand();

}  // namespace fiscora::cli

#pragma once

#include "cli/command.h"

namespace fiscora::cli {

// The ledger view's 修改 and 删除 on one record, named by its index in the ledger.
Command editRecordCommand();
Command deleteRecordCommand();

}  // namespace fiscora::cli

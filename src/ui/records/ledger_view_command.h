#pragma once

#include "engine/ledger_filter.h"
#include "ui/common/command_context.h"

namespace fiscora::ui {

// 查看流水帐: the ledger view of the selected logged-in account, opened on `filter` (none by
// default; the capital curve's day menu gives one); the holdings are recomputed before it
// opens and the list rebuilt when it closes.
void OnViewLedger(CommandContext& window, const LedgerFilter& filter = {});

}  // namespace fiscora::ui

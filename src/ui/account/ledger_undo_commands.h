#pragma once

#include "ui/common/command_context.h"

namespace fiscora::ui {

// 撤销: the last change this window made to the selected logged-in account's ledger is
// undone, the file brought back byte for byte as it was before it. Refused with a message
// when there is none, or when the file changed since (another program wrote it).
void OnUndo(CommandContext& window);

// 恢复…: the account's kept versions (RestoreVersionDialog); after a restore the ledger is
// read again and the holdings list shows it.
void OnRestoreVersions(CommandContext& window);

}  // namespace fiscora::ui

#pragma once

#include <cstddef>

#include "engine/workspace.h"
#include "records/account_info.h"
#include "records/ledger_record.h"

namespace fiscora {

// Removes the record at `index` of the workspace's ledger when `mayDeleteRecord` allows it
// and rewrites the account's ledger file; a refusal shows "此项记录是与后面的一些记录相关的，
// 不能被单独删除" and changes nothing. Either way the holdings are recomputed over the whole
// ledger. True when the record was removed (a failed write is reported by the file and the
// removal stays in memory); false too when another program changed the file meanwhile: it
// was loaded again and the user told to redo the deletion.
bool deleteLedgerRecord(Workspace& workspace, const AccountInfo& account, std::size_t index);

// Copies `edited` over the record at `index`, which keeps its place in the ledger, and
// rewrites the file. The holdings are left as they are until the ledger view closes.
// False when the file could not be written (reported; the edit stays in memory) or was
// changed by another program meanwhile (loaded again, the edit dropped, the user told).
bool replaceLedgerRecord(Workspace& workspace, const AccountInfo& account, std::size_t index,
                         const LedgerRecord& edited);

}  // namespace fiscora

#pragma once

#include <cstddef>

#include "ui/common/command_context.h"

namespace fiscora::ui {

// The ledger view's question before a deletion.
inline constexpr const char* kDeleteRecordQuestion = "此条记录将被删除，真的要删除吗?";

enum class RecordDeletion { Declined, Refused, Deleted };

// 删除 on the record at `index` of the account's ledger: the question (No ends it), then
// the dependency rule (a refusal is shown and changes nothing), then the record removed,
// the file rewritten and the holdings recomputed.
RecordDeletion deleteRecordAsked(Workspace& workspace, const GuardedAccount& account,
                                 std::size_t index);

// 修改 on the record at `index`: the record editor, and a confirmed edit put in the
// record's place and the file rewritten. True when the record was edited.
bool editRecordInPlace(Workspace& workspace, DialogRunner& dialogs, const GuardedAccount& account,
                       std::size_t index);

}  // namespace fiscora::ui

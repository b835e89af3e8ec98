#include "ui/records/ledger_record_actions.h"

#include "engine/ledger_edits.h"
#include "records/gbk_text.h"
#include "records/trading_terms.h"
#include "ui/records/edit_record_dialog.h"

namespace fiscora::ui {

RecordDeletion deleteRecordAsked(Workspace& workspace, const GuardedAccount& account,
                                 std::size_t index) {
    if (!workspace.messages().askYesNo(kDeleteRecordQuestion)) return RecordDeletion::Declined;
    return deleteLedgerRecord(workspace, account.info, index) ? RecordDeletion::Deleted
                                                              : RecordDeletion::Refused;
}

bool editRecordInPlace(Workspace& workspace, DialogRunner& dialogs, const GuardedAccount& account,
                       std::size_t index) {
    EditRecordDialog dialog(workspace.messages(), account.name,
                            currencyUnitOfTradeType(fieldText(account.info.tradeType)),
                            workspace.ledger, index, workspace.tradeParams);
    if (!dialogs.run(dialog)) return false;
    const auto edited = dialog.confirmedRecord();
    if (!edited) return false;
    // A failed write has shown its message; the edit stays in memory.
    replaceLedgerRecord(workspace, account.info, index, *edited);
    return true;
}

}  // namespace fiscora::ui
